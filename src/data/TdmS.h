#pragma once
// (to be replaced by the data module)
class TdmS {};
