#include "CtrlBase.h"

CCtrlBase::CCtrlBase() : m_pListener(NULL) {}

CCtrlBase::~CCtrlBase() {}
