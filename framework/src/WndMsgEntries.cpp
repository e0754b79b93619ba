// Finding the message-map entry of a window message. Every window message that reaches a framework window
// looks for its entry, mostly in vain (a control's own messages go to its superclass procedure), so each
// thread remembers recent answers by message map and message. Maps are constant tables; only a module that
// unloads takes its maps away, and then every thread forgets what it remembered.
#include "WndInternal.h"

#include <atomic>

namespace {

// The entry in one map: a registered message's entry names it through its variable, the WM_CTLCOLORxxx
// messages share the WM_CTLCOLOR entry.
const AFX_MSGMAP_ENTRY* FindInMap(const AFX_MSGMAP_ENTRY* lpEntry, UINT message) {
    if (message >= AFX_REGISTERED_MESSAGE_BASE && message <= 0xFFFF) {
        for (; lpEntry->nSig != AfxSig_end; ++lpEntry) {
            if (lpEntry->nMessage == AFX_REGISTERED_MESSAGE_BASE &&
                *reinterpret_cast<const UINT*>(lpEntry->nSig) == message)
                return lpEntry;
        }
        return nullptr;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        message = WM_CTLCOLOR;
    return AfxFindMessageEntry(lpEntry, message, 0, 0);
}

// The first entry from pMap up through its base maps.
const AFX_MSGMAP_ENTRY* FindInChain(const AFX_MSGMAP* pMap, UINT message) {
    for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        if (const AFX_MSGMAP_ENTRY* lpEntry = FindInMap(pMap->lpEntries, message))
            return lpEntry;
    }
    return nullptr;
}

// Bumped when maps go away; a thread's answers of an older generation are forgotten.
std::atomic<unsigned> g_nGeneration{0};

class CWndMsgEntries {
public:
    const AFX_MSGMAP_ENTRY* Find(const AFX_MSGMAP* pMap, UINT message) {
        unsigned nGeneration = g_nGeneration.load(std::memory_order_acquire);
        if (nGeneration != m_nGeneration) {
            for (Answer& answer : m_answers)
                answer = {};
            m_nGeneration = nGeneration;
        }
        auto key = reinterpret_cast<uintptr_t>(pMap) ^ (uintptr_t{message} * 0x9E3779B1u);
        Answer& answer = m_answers[(key ^ key >> kBits) & (kSize - 1)];
        if (answer.pMap != pMap || answer.message != message)
            answer = {pMap, message, FindInChain(pMap, message)};
        return answer.lpEntry;
    }

private:
    struct Answer {
        const AFX_MSGMAP* pMap;
        UINT message;
        const AFX_MSGMAP_ENTRY* lpEntry;
    };
    static constexpr unsigned kBits = 8;
    static constexpr size_t kSize = size_t{1} << kBits;

    unsigned m_nGeneration = 0;
    // An empty answer has no map, which no lookup has.
    Answer m_answers[kSize] = {};
};

// Lives as long as the thread, as the window maps do: windows destroyed at exit still get messages.
thread_local CWndMsgEntries* t_pEntries = nullptr;

} // namespace

namespace afx::detail {

const AFX_MSGMAP_ENTRY* FindWndMsgEntry(const AFX_MSGMAP* pMap, UINT message) {
    // Registered messages are few and numbered at run time; they are looked up each time.
    if (message >= AFX_REGISTERED_MESSAGE_BASE)
        return FindInChain(pMap, message);
    CWndMsgEntries* pEntries = t_pEntries;
    if (pEntries == nullptr)
        pEntries = t_pEntries = new CWndMsgEntries;
    return pEntries->Find(pMap, message);
}

void ForgetWndMsgEntries() {
    g_nGeneration.fetch_add(1, std::memory_order_release);
}

} // namespace afx::detail
