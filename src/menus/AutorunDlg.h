// The menu of a machine without the game: Setup, Help and Exit, with a picture from the CD scaled
// into the area left of the buttons.
#pragma once

#include "framework/Dialog.h"
#include "picture/tga.h"

#include <windows.h>

#include <string>

class CAutorunDlg : public CDialog {
public:
    explicit CAutorunDlg(CWnd* parent);
    ~CAutorunDlg() override = default;

protected:
    bool OnMessage(const Message& msg, LRESULT& result) override;
    BOOL OnInitDialog() override;

private:
    void OnSetup();
    void OnExit();
    void OnHelp();
    void OnPaint();
    void PlacePicture();

    static const MessageMapEntry<CAutorunDlg> s_messageMap[];

    std::string m_SourceDrive;
    CTga m_SourcePicture;
    CTga m_ShownPicture;
    RECT m_PictureRect{};
    POINT m_PictureOrigin{};
    SIZE m_PictureSize{};
};
