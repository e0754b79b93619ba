#include "CheckHost.h"

BEGIN_MESSAGE_MAP(CCheckParent, CWnd)
ON_NOTIFY(NM_CLICK, kTreeID, &CCheckParent::OnClickNotify)
ON_NOTIFY(TVN_SELCHANGEDA, kTreeID, &CCheckParent::OnSelChanged)
ON_NOTIFY(TVN_BEGINDRAGA, kTreeID, &CCheckParent::OnBeginDrag)
ON_NOTIFY(TVN_ITEMEXPANDEDA, kTreeID, &CCheckParent::OnItemExpanded)
ON_NOTIFY(TVN_ENDLABELEDITA, kTreeID, &CCheckParent::OnEndLabelEdit)
ON_MESSAGE(WM_CHECKTREE_ITEMCLICK, &CCheckParent::OnItemClick)
ON_COMMAND_RANGE(1000, 1999, &CCheckParent::OnCommandID)
END_MESSAGE_MAP()
