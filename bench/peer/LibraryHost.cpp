// The library's import into its tree, hosted as library_bench hosts it.
#include "BenchHost.h"
#include "PeerHost.h"

namespace {

class LibraryHost : public PeerHost {
public:
    LibraryHost() { emu::PumpMessages(); }

    void Prepare(Shape shape, long n) override {
        MakeRecords(m_records, shape, n);
        m_n = n;
    }
    long Fill() override {
        m_host.tree.ImpByIds(&m_records, false, m_n);
        emu::PumpMessages();
        return static_cast<long>(m_host.tree.GetCount());
    }
    void Clear() override {
        m_host.tree.DeleteAllItems();
        emu::PumpMessages();
    }

private:
    Tree m_host;
    CStringArray m_records;
    long m_n = 0;
};

} // namespace

std::unique_ptr<PeerHost> MakeLibraryHost() {
    return std::make_unique<LibraryHost>();
}
