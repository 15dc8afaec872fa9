#pragma once
// (to be replaced by the map engine)
class TConexaoShape {};
