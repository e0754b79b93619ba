#include "TreeDropTarget.h"

CTreeDropTarget::CTreeDropTarget() : m_pSourceTree(NULL), m_pTargetTree(NULL) {}

CTreeDropTarget::~CTreeDropTarget() {}
