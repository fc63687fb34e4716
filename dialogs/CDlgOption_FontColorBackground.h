#pragma once
#include <string>

#include "framework/CDialog.h"
#include "toolkit/CBtnColor.h"

// The options dialog: the three button text colours, the background
// pictures of the sidebar and of the button windows, and the thumbnail
// size. It writes the settings itself when closed with OK; the opener then
// asks IsChanged.
class CDlgOption_FontColorBackground : public CDialog {
public:
    explicit CDlgOption_FontColorBackground(CWnd* parent = nullptr);

    // True once the thumbnail-size box has changed, which includes its
    // filling when the dialog opens.
    bool IsChanged() const { return m_bChanged != 0; }

    COLORREF m_crNormal = 0;
    COLORREF m_crHot = 0;
    COLORREF m_crSelected = 0;
    std::wstring m_strSideBarImage;
    std::wstring m_strWindowImage;
    int m_nThumbSize = 0;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    void OnNormalColor();
    void OnHotColor();
    void OnSelectedColor();
    void OnBrowseSideBarImage();
    void OnBrowseWindowImage();
    void OnChangeThumbnailSize();
    void ChooseColor(CBtnColor& button, COLORREF& color);
    void BrowsePicture(int editId);

    int m_bChanged = 0;
    CBtnColor m_btnNormal;
    CBtnColor m_btnHot;
    CBtnColor m_btnSelected;
};
