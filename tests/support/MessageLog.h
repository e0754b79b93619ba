// Records the messages that windows receive, in order, by subclassing their window procedures.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

struct LoggedMessage {
    std::string window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT notifyCode = 0; // WM_NOTIFY's code, read while the message was being sent
    bool operator==(const LoggedMessage&) const = default;
};

class MessageLog {
public:
    MessageLog() = default;
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;
    ~MessageLog() { DetachAll(); }

    // Starts recording what hwnd receives under the given name.
    void Attach(HWND hwnd, const std::string& name) {
        Hooked hook{name, reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC))};
        Registry()[hwnd] = {this, hook};
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageLog::Proc));
    }
    void DetachAll() {
        for (auto it = Registry().begin(); it != Registry().end();) {
            if (it->second.log == this) {
                if (IsWindow(it->first))
                    SetWindowLongPtrA(it->first, GWLP_WNDPROC,
                                      reinterpret_cast<LONG_PTR>(it->second.hook.proc));
                it = Registry().erase(it);
            } else {
                ++it;
            }
        }
    }

    const std::vector<LoggedMessage>& All() const { return m_entries; }
    void Clear() { m_entries.clear(); }

    // The messages among `wanted`, as "window:message" names where a name is known, else hex numbers.
    std::vector<std::string> Only(const std::map<UINT, std::string>& wanted) const {
        std::vector<std::string> out;
        for (const auto& e : m_entries) {
            auto it = wanted.find(e.message);
            if (it != wanted.end())
                out.push_back(e.window + ":" + it->second);
        }
        return out;
    }

private:
    struct Hooked {
        std::string name;
        WNDPROC proc;
    };
    struct Entry {
        MessageLog* log;
        Hooked hook;
    };
    static std::map<HWND, Entry>& Registry() {
        static std::map<HWND, Entry> registry;
        return registry;
    }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        auto it = Registry().find(hwnd);
        if (it == Registry().end())
            return DefWindowProcA(hwnd, msg, wp, lp);
        Entry entry = it->second;
        const UINT code = msg == WM_NOTIFY && lp != 0 ? reinterpret_cast<const NMHDR*>(lp)->code : 0;
        entry.log->m_entries.push_back({entry.hook.name, msg, wp, lp, code});
        if (msg == WM_NCDESTROY)
            Registry().erase(hwnd);
        return CallWindowProcA(entry.hook.proc, hwnd, msg, wp, lp);
    }

    std::vector<LoggedMessage> m_entries;
};
