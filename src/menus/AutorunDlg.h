// The menu of a machine without the game: Setup, Help and Exit, with a picture from the CD scaled
// into the area left of the buttons.
#pragma once

#include "menus/PictureMenu.h"

#include <string>

class CAutorunDlg : public CPictureMenu {
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

    static const MessageMapEntry<CAutorunDlg> s_messageMap[];

    std::string m_SourceDrive;
};

// The area of an autorun menu that its picture is scaled into, in client coordinates.
RECT AutorunPictureArea(const CWnd& menu);
