// The menu of a machine with the game installed: Run, Setup, Uninstall, Help, Exit, the two
// web-site shortcuts and the video-card chooser, with a picture from the CD beside the buttons.
#pragma once

#include "menus/PictureMenu.h"

#include <windows.h>

#include <string>

class COptionDlg : public CPictureMenu {
public:
    explicit COptionDlg(CWnd* parent);
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

    static const MessageMapEntry<COptionDlg> s_messageMap[];

    std::string m_SrcDrive;
    HWND MyComboBox = nullptr;
    std::string m_RunCommand;
    std::string m_UninstallCommand;
    std::string m_SetupCommand;
};

// The area of an options menu that its picture is scaled into, in client coordinates.
RECT OptionsPictureArea(const CWnd& menu);
