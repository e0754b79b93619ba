// One way of filling a tree with the ID records of a shape: the library's import, a hand-written host on
// the tree-view messages, or a peer toolkit's tree widget. Each is set up in a process of its own.
#pragma once

#include "IdRecords.h"

#include <memory>

class PeerHost {
public:
    virtual ~PeerHost() = default;
    // Makes the n records of the shape in the form this host reads them; not measured.
    virtual void Prepare(Shape shape, long n) = 0;
    // Fills the empty, shown tree from the records and runs the event loop until it is idle (the tree
    // paints); returns the number of items in the tree.
    virtual long Fill() = 0;
    // Empties the tree; not measured.
    virtual void Clear() = 0;
};

std::unique_ptr<PeerHost> MakeLibraryHost();
std::unique_ptr<PeerHost> MakeFloorHost();
std::unique_ptr<PeerHost> MakeQtHost();
