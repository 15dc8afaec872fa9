#pragma once
// (to be replaced by the raster subsystem)
class TImagem {};
