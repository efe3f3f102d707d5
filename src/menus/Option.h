// The menu of a machine with the game installed: Run, Setup, Uninstall, Help, Exit, the two
// web-site shortcuts and the video-card chooser.
#pragma once

#include "framework/Dialog.h"

class COptionDlg : public CDialog {
public:
    explicit COptionDlg(CWnd* parent);
    ~COptionDlg() override = default;

protected:
    bool OnMessage(const Message& msg, LRESULT& result) override;

private:
    void OnExit();

    static const MessageMapEntry<COptionDlg> s_messageMap[];
};
