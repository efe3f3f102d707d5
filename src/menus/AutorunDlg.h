// The menu of a machine without the game: Setup, Help and Exit over the intro picture.
#pragma once

#include "framework/Dialog.h"

#include <string>

class CAutorunDlg : public CDialog {
public:
    explicit CAutorunDlg(CWnd* parent);
    ~CAutorunDlg() override = default;

protected:
    bool OnMessage(const Message& msg, LRESULT& result) override;
    BOOL OnInitDialog() override;

private:
    void OnExit();

    static const MessageMapEntry<CAutorunDlg> s_messageMap[];

    std::string m_SourceDrive;
};
