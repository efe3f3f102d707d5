// The main window: a frame without controls stretched over the whole screen, showing the intro
// picture. Its initialisation does the launcher's whole work: it finds the CD, runs the one menu
// that fits the machine and ends itself when that menu closes.
#pragma once

#include "framework/Dialog.h"
#include "picture/tga.h"

#include <windows.h>

#include <string>

class CLumbrelDlg : public CDialog {
public:
    explicit CLumbrelDlg(CWnd* parent = nullptr);
    ~CLumbrelDlg() override = default;

protected:
    bool OnMessage(const Message& msg, LRESULT& result) override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

private:
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void PaintMinimised();
    void RunAutorunMenu();
    void RunOptionsMenu();

    static const MessageMapEntry<CLumbrelDlg> s_messageMap[];

    std::string m_SourceDrive;
    RECT m_ClientRect{};
    CTga m_IntroPicture;
    POINT m_PictureOrigin{};
    SIZE m_PictureSize{};
    HICON m_AppIcon;
};
