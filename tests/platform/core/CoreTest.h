// Fixture of the window manager's tests: a window class whose procedure writes every message it receives
// into a journal ("name:WM_X"), with a per-window hook to answer messages differently.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <emu/Input.h>
#include <emu/Loop.h>
#include <emu/Session.h>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

std::string MessageName(UINT msg);

class CoreTest : public ::testing::Test {
public:
    static constexpr const char* kClass = "CoreTestWindow";
    static constexpr const char* kDblClass = "CoreTestDblClk";

    // Answers a message instead of DefWindowProc when it returns a value.
    using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

    void SetUp() override;
    void TearDown() override;

    // Creates a window of the recording class and names it in the journal.
    HWND Create(const std::string& name, DWORD style, int x, int y, int cx, int cy, HWND parent = nullptr,
                int id = 0, DWORD exStyle = 0, const char* cls = kClass);
    void Name(HWND hwnd, const std::string& name) { m_names[hwnd] = name; }
    void On(UINT msg, Handler handler) { m_handlers[msg] = std::move(handler); }

    // The journal, or only the messages in `only`.
    std::vector<std::string> Journal(const std::set<UINT>& only = {}) const;
    void Clear() { m_journal.clear(); }
    // Drops the mouse bookkeeping that every mouse event brings.
    static const std::set<UINT>& Noise();
    std::vector<std::string> JournalWithoutNoise() const;

    // Writes an event that is not a message (a hook call) into the journal.
    void Note(const std::string& text) { m_journal.emplace_back(0, text); }

    static CoreTest* Current() { return s_current; }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    std::vector<std::pair<UINT, std::string>> m_journal;
    std::map<HWND, std::string> m_names;
    std::map<UINT, Handler> m_handlers;

private:
    static CoreTest* s_current;
};

// Retrieves, translates and dispatches everything queued; returns the names of the messages retrieved.
std::vector<std::string> Pump();
