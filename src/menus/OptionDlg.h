// The menu of a machine with the game installed: Run, Setup, Uninstall, Help, Exit, the two
// web-site shortcuts and the video-card chooser, with a picture from the CD beside the buttons.
#pragma once

#include "install/SourceChoice.h"
#include "menus/PictureMenu.h"
#include "menus/ProgramCommand.h"

#include <windows.h>

#include <optional>
#include <string>

class COptionDlg : public CPictureMenu {
public:
    // `launcherDisc`: the disc the launcher found for itself, if it found one.
    COptionDlg(CWnd* parent, std::optional<std::string> launcherDisc);
    ~COptionDlg() override = default;

protected:
    bool OnMessage(const Message& msg, LRESULT& result) override;
    BOOL OnInitDialog() override;

private:
    void OnSelchangeVideoCard();
    void OnRun();
    void OnUninstall();
    void OnSetup();
    void OnExit();
    void OnDeveloperWebSite();
    void OnGamesWebSite();
    void OnHelp();
    void OpenWebShortcut(const char* fileName);
    void FillVideoCardList(const std::string& storedName);
    // The recorded drive, or the launcher's disc where only that one holds the file.
    std::string SourceHolding(const PathOnDisc& fileOn) const;

    static const MessageMapEntry<COptionDlg> s_messageMap[];

    std::string m_SrcDrive;
    std::optional<std::string> m_LauncherDisc;
    HWND MyComboBox = nullptr;
    ProgramCommand m_RunCommand;
    ProgramCommand m_UninstallCommand;
};

// The area of an options menu that its picture is scaled into, in client coordinates.
RECT OptionsPictureArea(const CWnd& menu);
