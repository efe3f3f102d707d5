// The options menu's video-card chooser: filled from the device table, preselecting the stored
// card, and storing every choice at once.
#include "base/Report.h"
#include "display/DeviceTable.h"
#include "display/VideoCardChoice.h"
#include "install/InstallRecord.h"
#include "install/InstallRegistry.h"
#include "menus/OptionDlg.h"
#include "resource.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kChooserTraceFile = "c:\\testlb.txt";

std::vector<std::string> DeviceDescriptions()
{
    std::vector<std::string> descriptions;
    for (int i = 0; i < VCardCount; ++i) {
        const char* text = g_DeviceInfo[i].s_DeviceInfo.szDescription;
        // A driver's text is not trusted to end within its field.
        descriptions.emplace_back(text,
                                  strnlen(text, sizeof g_DeviceInfo[i].s_DeviceInfo.szDescription));
    }
    return descriptions;
}

void WriteChooserTrace(const std::string& text)
{
    // Text mode: the line breaks are the system's own.
    if (std::FILE* file = std::fopen(kChooserTraceFile, "w")) {
        std::fputs(text.c_str(), file);
        std::fclose(file);
    }
}

// The entry whose text is exactly `text`: the sorted list puts it anywhere.
int FindEntry(HWND comboBox, const std::string& text)
{
    const auto count = static_cast<int>(::SendMessageA(comboBox, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const auto length = ::SendMessageA(comboBox, CB_GETLBTEXTLEN, i, 0);
        if (length < 0 || static_cast<size_t>(length) != text.size())
            continue;
        std::string entry(static_cast<size_t>(length) + 1, '\0');
        ::SendMessageA(comboBox, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
        entry.resize(static_cast<size_t>(length));
        if (entry == text)
            return i;
    }
    return CB_ERR;
}

} // namespace

void COptionDlg::FillVideoCardList(const std::string& storedName)
{
    MyComboBox = GetDlgItem(IDC_VIDEOCARD).m_hWnd;
    const std::vector<std::string> descriptions = DeviceDescriptions();
    const VideoCardChoice choice = ChooseVideoCard(storedName, descriptions);
    WriteChooserTrace(choice.trace);

    for (const std::string& description : descriptions)
        if (::SendMessageA(MyComboBox, CB_ADDSTRING, 0,
                           reinterpret_cast<LPARAM>(description.c_str())) == CB_ERR)
            AfxTrace("%s\n", "MyComboBox->AddString(g_DeviceInfo[VCardCount].s_DeviceInfo."
                             "szDescription) != CB_ERR");

    if (!descriptions.empty())
        ::SendMessageA(MyComboBox, CB_SETCURSEL, FindEntry(MyComboBox, descriptions[choice.chosen]),
                       0);
    OnSelchangeVideoCard();
}

void COptionDlg::OnSelchangeVideoCard()
{
    char text[kRegistryTextBuffer] = {};
    ::GetWindowTextA(MyComboBox, text, sizeof text);
    WriteVideoCard(text);
}
