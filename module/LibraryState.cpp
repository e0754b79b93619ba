// The library's own module state, distinct from the host's: its resource handle is the library's module,
// so a resource search made while it is current looks in the library's resources first.
#include <afxwin.h>

AFX_DEFINE_STATIC_MODULE_STATE()
