// The data module's creation: the reference database and the two register workbooks.
#include "app/TSistema.h"

void TSistema::CriaDataModule() {}
