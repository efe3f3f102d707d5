// A message map is a static table per dialog class: (message, control id, notification) to a
// member function. The dialog's message-map accessor walks its own table first, then its base's.
#pragma once

#include <windows.h>

#include <span>
#include <variant>

// One message as the dialog procedure received it, cracked once.
struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;

    UINT ControlId() const { return LOWORD(wParam); }
    UINT Notification() const { return HIWORD(wParam); }
};

template <class Dialog> struct MessageMapEntry {
    using CommandHandler = void (Dialog::*)();
    using CursorHandler = HCURSOR (Dialog::*)();

    UINT message;
    UINT controlId;    // WM_COMMAND only
    UINT notification; // WM_COMMAND only
    std::variant<CommandHandler, CursorHandler> handler;

    bool Matches(const Message& msg) const
    {
        if (msg.message != message)
            return false;
        return message != WM_COMMAND ||
               (msg.ControlId() == controlId && msg.Notification() == notification);
    }
};

// Runs the first entry of `map` that matches `msg`; false when none does.
template <class Dialog>
bool DispatchMessageMap(Dialog& dialog, std::span<const MessageMapEntry<Dialog>> map,
                        const Message& msg, LRESULT& result)
{
    using Entry = MessageMapEntry<Dialog>;
    for (const Entry& entry : map) {
        if (!entry.Matches(msg))
            continue;
        if (const auto* command = std::get_if<typename Entry::CommandHandler>(&entry.handler)) {
            (dialog.**command)();
            result = 0;
        } else {
            const auto cursor = std::get<typename Entry::CursorHandler>(entry.handler);
            result = reinterpret_cast<LRESULT>((dialog.*cursor)());
        }
        return true;
    }
    return false;
}
