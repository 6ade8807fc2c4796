#pragma once
#include "Document.h"

// plumet's one document. It stores nothing: it is the hub through which the
// panes notify each other.
class CPlumetDoc : public CDocument {};
