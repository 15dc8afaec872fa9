#include "data/FormatoNumero.h"

namespace {

struct TCodigos {
  int Ano = 0, Mes = 0, Dia = 0, Hora = 0, Segundo = 0;

  void Conta(QChar c) {
    switch (c.toLower().unicode()) {
      case 'y':
        ++Ano;
        break;
      case 'm':
        ++Mes;
        break;
      case 'd':
        ++Dia;
        break;
      case 'h':
        ++Hora;
        break;
      case 's':
        ++Segundo;
        break;
      default:
        break;
    }
  }
};

bool SoTempoDecorrido(QStringView dentro) {
  if (dentro.isEmpty()) return false;
  for (const QChar c : dentro) {
    const char16_t l = c.toLower().unicode();
    if (l != u'h' && l != u'm' && l != u's') return false;
  }
  return true;
}

}  // namespace

TTipoCelulaXls TipoDoFormato(const QString& formato) {
  TCodigos n;
  const qsizetype t = formato.size();
  for (qsizetype i = 0; i < t; ++i) {
    const QChar c = formato[i];
    if (c == u';') break;
    if (c == u'"') {
      const qsizetype fim = formato.indexOf(u'"', i + 1);
      if (fim < 0) break;
      i = fim;
    } else if (c == u'\\' || c == u'_' || c == u'*') {
      ++i;
    } else if (c == u'[') {
      const qsizetype fim = formato.indexOf(u']', i + 1);
      if (fim < 0) break;
      const QStringView dentro = QStringView(formato).mid(i + 1, fim - i - 1);
      if (SoTempoDecorrido(dentro))
        for (const QChar d : dentro) n.Conta(d);
      i = fim;
    } else if (QStringView(formato).mid(i, 5).compare(u"AM/PM", Qt::CaseInsensitive) == 0) {
      i += 4;
    } else if (QStringView(formato).mid(i, 3).compare(u"A/P", Qt::CaseInsensitive) == 0) {
      i += 2;
    } else {
      n.Conta(c);
    }
  }
  if (n.Ano && n.Mes && n.Dia && n.Hora) return TTipoCelulaXls::DataHora;
  if ((n.Ano && n.Mes) || (n.Mes && n.Dia)) return TTipoCelulaXls::Data;
  if ((n.Hora && n.Mes) || (n.Mes && n.Segundo)) return TTipoCelulaXls::Hora;
  return TTipoCelulaXls::Real;
}

TTipoCelulaXls TipoDoFormatoEmbutido(std::uint16_t formato) {
  switch (formato) {
    case 14:
    case 15:
    case 16:
    case 17:
      return TTipoCelulaXls::Data;
    case 18:
    case 19:
    case 20:
    case 21:
    case 45:
    case 46:
    case 47:
      return TTipoCelulaXls::Hora;
    case 22:
      return TTipoCelulaXls::DataHora;
    default:
      return TTipoCelulaXls::Nula;
  }
}
