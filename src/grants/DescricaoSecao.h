#pragma once
// One line that names a section of interest, for the windows' caption lines, the reports'
// continuation pages and the messages that speak of the section an analysis was made for.

#include <QString>

class TPonto;

// "Rio Paracatu, Unaí (MG); área de drenagem 1.234,57 km²; X 269041 m, Y 8286112 m
// (17° 15' 00" S, 47° 30' 00" W)".
QString DescricaoSecao(const TPonto& ponto);

// The caption line of the availability and grant windows: the section they show, or why they
// show none.
QString LegendaSecao(const TPonto* ponto);
