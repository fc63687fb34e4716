#pragma once
#include <string>

#include "framework/CDialog.h"

// The About box: the program's version and About text, a link to the web
// site and one to the support mail address.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* parent = nullptr);

    // The text shown after "Failed to open the mail software! Error: " for a
    // shell error code; empty for codes without a text.
    static std::wstring MailErrorText(INT_PTR code);

protected:
    BOOL OnInitDialog() override;
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void OpenLink(UINT id, const std::wstring& address);
};
