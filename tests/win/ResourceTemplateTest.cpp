// The dialog templates as built into the executable, read back field by field: what the resource
// compiler adds or drops on its own shows up here.
#include "resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct Control {
    int id;
    std::string className;
    std::string text;
    DWORD style;
    short x, y, cx, cy;

    bool operator==(const Control&) const = default;
    friend std::ostream& operator<<(std::ostream& os, const Control& c)
    {
        return os << "{" << c.id << " " << c.className << " \"" << c.text << "\" 0x" << std::hex
                  << c.style << std::dec << " " << c.x << "," << c.y << " " << c.cx << "x" << c.cy
                  << "}";
    }
};

struct Template {
    bool extended = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string menu, windowClass, caption;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::string font;
    std::vector<Control> controls;
};

// Walks a template's bytes; strings are UTF-16 and the texts here are ASCII.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* data) : m_Base(data), m_At(data) {}

    template <class T> T Read()
    {
        T value;
        std::memcpy(&value, m_At, sizeof value);
        m_At += sizeof value;
        return value;
    }
    std::string ReadText()
    {
        std::string text;
        while (const auto c = Read<WORD>())
            text += static_cast<char>(c);
        return text;
    }
    // A name or an ordinal (0xFFFF followed by the number).
    std::string ReadNameOrOrdinal()
    {
        if (Read<WORD>() == 0xFFFF)
            return "#" + std::to_string(Read<WORD>());
        m_At -= sizeof(WORD);
        return ReadText();
    }
    void AlignToDword()
    {
        while ((m_At - m_Base) % 4)
            ++m_At;
    }
    void Skip(size_t bytes) { m_At += bytes; }

private:
    const BYTE* m_Base;
    const BYTE* m_At;
};

std::string ClassName(const std::string& nameOrOrdinal)
{
    static const char* const kPredefined[] = {"BUTTON",  "EDIT",      "STATIC",
                                              "LISTBOX", "SCROLLBAR", "COMBOBOX"};
    if (nameOrOrdinal.size() > 1 && nameOrOrdinal[0] == '#')
        return kPredefined[std::stoi(nameOrOrdinal.substr(1)) - 0x80];
    std::string upper = nameOrOrdinal;
    for (char& c : upper)
        c = static_cast<char>(::toupper(c));
    return upper;
}

Template LoadTemplate(int id)
{
    HRSRC resource =
        ::FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5) /*RT_DIALOG*/);
    if (!resource)
        return {};
    TemplateReader r(static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, resource))));
    Template t;
    const auto version = r.Read<WORD>();
    const auto signature = r.Read<WORD>();
    t.extended = version == 1 && signature == 0xFFFF;
    if (t.extended) {
        r.Read<DWORD>(); // help id
        t.exStyle = r.Read<DWORD>();
        t.style = r.Read<DWORD>();
    } else {
        r = TemplateReader(
            static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, resource))));
        t.style = r.Read<DWORD>();
        t.exStyle = r.Read<DWORD>();
    }
    const auto count = r.Read<WORD>();
    t.x = r.Read<short>();
    t.y = r.Read<short>();
    t.cx = r.Read<short>();
    t.cy = r.Read<short>();
    t.menu = r.ReadNameOrOrdinal();
    t.windowClass = r.ReadNameOrOrdinal();
    t.caption = r.ReadText();
    if (t.style & DS_SETFONT) {
        t.pointSize = r.Read<WORD>();
        if (t.extended) {
            t.weight = r.Read<WORD>();
            t.italic = r.Read<BYTE>();
            t.charset = r.Read<BYTE>();
        }
        t.font = r.ReadText();
    }
    for (int i = 0; i < count; ++i) {
        r.AlignToDword();
        Control c{};
        if (t.extended) {
            r.Read<DWORD>(); // help id
            r.Read<DWORD>(); // extended style
            c.style = r.Read<DWORD>();
        } else {
            c.style = r.Read<DWORD>();
            r.Read<DWORD>(); // extended style
        }
        c.x = r.Read<short>();
        c.y = r.Read<short>();
        c.cx = r.Read<short>();
        c.cy = r.Read<short>();
        c.id = t.extended ? static_cast<int>(r.Read<DWORD>()) : static_cast<short>(r.Read<WORD>());
        c.className = ClassName(r.ReadNameOrOrdinal());
        c.text = r.ReadNameOrOrdinal();
        r.Skip(r.Read<WORD>());
        t.controls.push_back(c);
    }
    return t;
}

constexpr DWORD kPushButton = 0x50010000; // WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON
constexpr DWORD kGroupText = 0x50020000;  // WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT

TEST(Templates, TheMainWindowIsAnExtendedPopupWithATaskbarButtonAndNoControls)
{
    const Template t = LoadTemplate(IDD_LUMBREL_DIALOG);
    EXPECT_TRUE(t.extended);
    EXPECT_EQ(t.style, 0x900000C0u);
    EXPECT_EQ(t.exStyle, 0x00040000u);
    EXPECT_EQ((std::vector<short>{t.x, t.y, t.cx, t.cy}), (std::vector<short>{0, 0, 185, 92}));
    EXPECT_EQ(t.menu, "");
    EXPECT_EQ(t.windowClass, "");
    EXPECT_EQ(t.caption, "");
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.weight, 0);
    EXPECT_EQ(t.italic, 0);
    EXPECT_EQ(t.charset, 1);
    EXPECT_EQ(t.font, "MS Sans Serif");
    EXPECT_TRUE(t.controls.empty());
}

TEST(Templates, TheAutorunMenuIsAClassicHiddenPopupWithItsControlsInTabOrder)
{
    const Template t = LoadTemplate(IDD_AUTORUN);
    EXPECT_FALSE(t.extended);
    EXPECT_EQ(t.style, 0x800000C0u);
    EXPECT_EQ(t.exStyle, 0u);
    EXPECT_EQ((std::vector<short>{t.x, t.y, t.cx, t.cy}), (std::vector<short>{0, 0, 332, 202}));
    EXPECT_EQ(t.caption, "");
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.font, "MS Sans Serif");
    const std::vector<Control> expected = {
        {1000, "BUTTON", "&Setup", kPushButton, 275, 20, 50, 14},
        {1005, "BUTTON", "&Help", kPushButton, 275, 47, 50, 14},
        {1002, "BUTTON", "E&xit", kPushButton, 275, 74, 50, 14},
        {-1, "STATIC", "ZARN VELLOR Season 1999-2000 Autorun...", kGroupText, 5, 5, 265, 8},
    };
    EXPECT_EQ(t.controls, expected);
}

TEST(Templates, TheOptionsMenuIsAHiddenPopupWithItsControlsInTabOrder)
{
    const Template t = LoadTemplate(IDD_OPTIONS);
    EXPECT_EQ(t.style, 0x800000C0u);
    EXPECT_EQ((std::vector<short>{t.cx, t.cy}), (std::vector<short>{369, 228}));
    EXPECT_EQ(t.caption, "");
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.font, "MS Sans Serif");
    constexpr DWORD kChooser = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                               CBS_SORT | CBS_AUTOHSCROLL;
    const std::vector<Control> expected = {
        {1007, "BUTTON", "&Run", kPushButton, 240, 7, 122, 14},
        {1004, "BUTTON", "&Setup", kPushButton, 240, 65, 122, 14},
        {1003, "BUTTON", "&Uninstall", kPushButton, 240, 95, 122, 14},
        {1005, "BUTTON", "&Help", kPushButton, 240, 125, 122, 14},
        {1002, "BUTTON", "E&xit", kPushButton, 240, 155, 122, 14},
        {1011, "BUTTON", "Quillmoor &WebSite", kPushButton, 7, 180, 355, 14},
        {-1, "STATIC", "ZARN VELLOR Season 1999-2000 Options...", kGroupText, 10, 5, 201, 8},
        {1012, "BUTTON", "Zarn &Games WebSite", kPushButton, 7, 201, 355, 14},
        {1006, "COMBOBOX", "", kChooser, 240, 37, 122, 58},
    };
    EXPECT_EQ(t.controls, expected);
}

TEST(Templates, TheIconIsThere)
{
    EXPECT_NE(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)), nullptr);
}

} // namespace
