#include "dialogs/CDlgOption_FontColorBackground.h"

#include "app/CAppReg.h"
#include "app/Settings.h"
#include "framework/CColorDialog.h"
#include "framework/CDataExchange.h"
#include "framework/CFileDialog.h"
#include "resources/ResourceIds.h"

CDlgOption_FontColorBackground::CDlgOption_FontColorBackground(CWnd* parent) : CDialog(IDD_OPTIONS, parent)
{
    AddCommandHandler(IDC_OPT_NORMAL_COLOR, &CDlgOption_FontColorBackground::OnNormalColor);
    AddCommandHandler(IDC_OPT_HOT_COLOR, &CDlgOption_FontColorBackground::OnHotColor);
    AddCommandHandler(IDC_OPT_SELECTED_COLOR, &CDlgOption_FontColorBackground::OnSelectedColor);
    AddCommandHandler(IDC_OPT_SIDEBAR_BROWSE, &CDlgOption_FontColorBackground::OnBrowseSideBarImage);
    AddCommandHandler(IDC_OPT_WINDOW_BROWSE, &CDlgOption_FontColorBackground::OnBrowseWindowImage);
    AddControlHandler(IDC_OPT_THUMBNAIL_SIZE, EN_CHANGE, &CDlgOption_FontColorBackground::OnChangeThumbnailSize);
}

void CDlgOption_FontColorBackground::DoDataExchange(CDataExchange* dx)
{
    DDX_Text(dx, IDC_OPT_THUMBNAIL_SIZE, m_nThumbSize);
}

BOOL CDlgOption_FontColorBackground::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_btnNormal.SubclassDlgItem(IDC_OPT_NORMAL_COLOR, this);
    m_btnHot.SubclassDlgItem(IDC_OPT_HOT_COLOR, this);
    m_btnSelected.SubclassDlgItem(IDC_OPT_SELECTED_COLOR, this);
    // The data exchange above filled the size box before it was read.
    SetDlgItemText(IDC_OPT_THUMBNAIL_SIZE, L"");
    m_bChanged = 0;

    CAppReg reg;
    if (!reg.Open(GetRegistryName()))
        return TRUE; // the controls stay empty
    m_crNormal = static_cast<COLORREF>(reg.ReadInt(kTextColor.section, kTextColor.name, GetSysColor(COLOR_BTNTEXT)));
    m_crHot =
        static_cast<COLORREF>(reg.ReadInt(kHotTextColor.section, kHotTextColor.name, GetSysColor(COLOR_BTNHIGHLIGHT)));
    m_crSelected = static_cast<COLORREF>(
        reg.ReadInt(kSelectedTextColor.section, kSelectedTextColor.name, GetSysColor(COLOR_BTNHIGHLIGHT)));
    m_btnNormal.SetColor(m_crNormal);
    m_btnHot.SetColor(m_crHot);
    m_btnSelected.SetColor(m_crSelected);

    m_strSideBarImage = reg.ReadString(kSBarBkImg.section, kSBarBkImg.name, L"");
    m_strWindowImage = reg.ReadString(kWndBkImg.section, kWndBkImg.name, L"");
    SetDlgItemText(IDC_OPT_SIDEBAR_IMAGE, m_strSideBarImage);
    SetDlgItemText(IDC_OPT_WINDOW_IMAGE, m_strWindowImage);

    m_nThumbSize =
        static_cast<int>(reg.ReadInt(kThumbnailSize.section, kThumbnailSize.name, kThumbnailSize.defaultValue));
    // Filling the box is a change of it: the flag is set from here on.
    SetDlgItemText(IDC_OPT_THUMBNAIL_SIZE, std::to_wstring(m_nThumbSize));
    return TRUE;
}

void CDlgOption_FontColorBackground::OnChangeThumbnailSize()
{
    m_bChanged = 1;
    // A box emptied while the user retypes the number is not reported yet;
    // OK reports it if it is still empty then. Any other text that is not a
    // whole number is reported at once.
    if (GetDlgItemText(IDC_OPT_THUMBNAIL_SIZE).empty())
        return;
    UpdateData(true);
}

void CDlgOption_FontColorBackground::ChooseColor(CBtnColor& button, COLORREF& color)
{
    CColorDialog chooser(button.GetColor(), CC_FULLOPEN, m_hWnd);
    if (chooser.DoModal() != IDOK)
        return;
    color = chooser.GetColor();
    button.SetColor(color);
}

void CDlgOption_FontColorBackground::OnNormalColor()
{
    ChooseColor(m_btnNormal, m_crNormal);
}

void CDlgOption_FontColorBackground::OnHotColor()
{
    ChooseColor(m_btnHot, m_crHot);
}

void CDlgOption_FontColorBackground::OnSelectedColor()
{
    ChooseColor(m_btnSelected, m_crSelected);
}

void CDlgOption_FontColorBackground::BrowsePicture(int editId)
{
    CFileDialog picker(true, L".JPG", L"", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST,
                       L"*.JPG|*.JPG|*.JPEG|*.JPEG|*.BMP|*.BMP|*.PNG|*.PNG|", m_hWnd);
    if (picker.DoModal() != IDOK)
        return;
    SetDlgItemText(editId, picker.GetPathName());
}

void CDlgOption_FontColorBackground::OnBrowseSideBarImage()
{
    BrowsePicture(IDC_OPT_SIDEBAR_IMAGE);
}

void CDlgOption_FontColorBackground::OnBrowseWindowImage()
{
    BrowsePicture(IDC_OPT_WINDOW_IMAGE);
}

void CDlgOption_FontColorBackground::OnOK()
{
    m_strSideBarImage = GetDlgItemText(IDC_OPT_SIDEBAR_IMAGE);
    m_strWindowImage = GetDlgItemText(IDC_OPT_WINDOW_IMAGE);
    CAppReg reg;
    if (reg.Open(GetRegistryName())) {
        if (!UpdateData(true))
            return; // the size box holds no whole number; the user was told
        reg.WriteInt(kTextColor.section, kTextColor.name, m_crNormal);
        reg.WriteInt(kHotTextColor.section, kHotTextColor.name, m_crHot);
        reg.WriteInt(kSelectedTextColor.section, kSelectedTextColor.name, m_crSelected);
        reg.WriteString(kSBarBkImg.section, kSBarBkImg.name, m_strSideBarImage);
        reg.WriteString(kWndBkImg.section, kWndBkImg.name, m_strWindowImage);
        reg.WriteInt(kThumbnailSize.section, kThumbnailSize.name, m_nThumbSize);
    }
    EndDialog(IDOK);
}
