// Qt 5's QTreeWidget filled with the same records on the offscreen platform: one item per record with its
// text and its ID (as user data), added under its parent, which a hash table from ID to item finds; the
// duplicate and unknown-parent rules of the import, and the table dropped after the fill.
#include "PeerHost.h"

#include <QApplication>
#include <QHash>
#include <QStringList>
#include <QTreeWidget>

namespace {

class QtHost : public PeerHost {
public:
    QtHost() {
        m_tree.resize(400, 400);
        m_tree.show();
        QApplication::processEvents();
    }

    void Prepare(Shape shape, long n) override {
        m_records.clear();
        m_records.reserve(static_cast<int>(4 * n));
        ForEachRecord(shape, n,
                      [&](const char* group, const char* parentID, const char* id, const char* text) {
                          m_records << QString::fromLatin1(group) << QString::fromLatin1(parentID)
                                    << QString::fromLatin1(id) << QString::fromLatin1(text);
                      });
    }
    long Fill() override {
        QHash<long, QTreeWidgetItem*> byID;
        byID.reserve(m_records.size() / 4);
        for (int i = 0; i + 3 < m_records.size(); i += 4) {
            long parentID = m_records[i + 1].toLong();
            long id = m_records[i + 2].toLong();
            if (byID.contains(id))
                continue;
            auto* item = new QTreeWidgetItem(QStringList(m_records[i + 3]));
            item->setData(0, Qt::UserRole, QVariant::fromValue(id));
            auto parent = byID.constFind(parentID);
            if (parent == byID.constEnd())
                m_tree.addTopLevelItem(item);
            else
                (*parent)->addChild(item);
            byID.insert(id, item);
        }
        QApplication::processEvents();
        return byID.size();
    }
    void Clear() override {
        m_tree.clear();
        QApplication::processEvents();
    }

private:
    // QApplication keeps a reference to the argument count.
    int m_argc = 1;
    char m_name[11] = "peer_bench";
    char* m_argv[2] = {m_name, nullptr};
    QApplication m_app{m_argc, m_argv};
    QTreeWidget m_tree;
    QStringList m_records;
};

} // namespace

std::unique_ptr<PeerHost> MakeQtHost() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QtHost>();
}
