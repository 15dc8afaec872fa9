// Idrisi rasters: a 21-line text header (.doc, 14-character labels) and the cells (.img) in the
// grid's own type, from the top row down, with no header.

#include <cfloat>
#include <cmath>

#include "base/Erro.h"
#include "raster/Formatos.h"
#include "raster/Numeros.h"
#include "raster/TArquivoTexto.h"
#include "raster/TImagem.h"
#include "raster/TSaidaArquivo.h"

using Formatos::SemPasta;

namespace {
constexpr int LinhasDoc = 21;
constexpr int LarguraRotulo = 14;
}  // namespace

void TImagem::LeIdrisi(const QString& arquivo) {
  OrigemRaster_ = FormatoIdrisi;
  ReiniciaEstatisticas();
  const QString doc = Formatos::Irmao(arquivo, QStringLiteral("doc"));
  QString linhas[LinhasDoc];
  {
    TArquivoTexto texto(doc);
    for (int i = 0; i < LinhasDoc; ++i)
      if (!texto.ProximaLinha(linhas[i]))
        throw ETorveda(QStringLiteral("Erro na leitura do arquivo %1: falta a linha %2 do "
                                      "cabeçalho.")
                           .arg(SemPasta(doc))
                           .arg(i + 1));
  }
  // Lines are numbered from 1, as in the file.
  const auto valor = [&](int linha) { return linhas[linha - 1].mid(LarguraRotulo); };
  const auto numero = [&](int linha, const char* campo) {
    return Numeros::LeValor(valor(linha), QLatin1String(campo), doc);
  };

  Titulo_ = valor(1).left(255);
  const QString tipo = valor(2).trimmed();
  AplicaTipo(tipo.isEmpty() ? QChar(0) : tipo.at(0));
  DefineDimensoesLidas(numero(4, "columns"), numero(5, "rows"), doc);
  Unidade_ = valor(7).left(255);
  XMin_ = numero(9, "min. X");
  XMax_ = numero(10, "max. X");
  YMin_ = numero(11, "min. Y");
  YMax_ = numero(12, "max. Y");
  const double minimo = numero(15, "min. value");
  const double maximo = numero(16, "max. value");
  switch (TipoCelula_.unicode()) {
    case 'B':
      MinByte_ = static_cast<quint8>(
          Numeros::Arredonda(minimo, QStringLiteral("min. value"), doc, 0, 255));
      MaxByte_ = static_cast<quint8>(
          Numeros::Arredonda(maximo, QStringLiteral("max. value"), doc, 0, 255));
      break;
    case 'I':
      MinInteiro_ = static_cast<qint16>(
          Numeros::Arredonda(minimo, QStringLiteral("min. value"), doc, -32768, 32767));
      MaxInteiro_ = static_cast<qint16>(
          Numeros::Arredonda(maximo, QStringLiteral("max. value"), doc, -32768, 32767));
      break;
    default:
      if (std::fabs(minimo) > FLT_MAX || std::fabs(maximo) > FLT_MAX)
        throw ETorveda(QStringLiteral("Erro na leitura do arquivo %1: valor mínimo ou máximo fora "
                                      "do intervalo de um número real simples.")
                           .arg(SemPasta(doc)));
      MinReal_ = static_cast<float>(minimo);
      MaxReal_ = static_cast<float>(maximo);
      break;
  }
  TemCabecalho_ = 1;
  AbreDados(Formatos::Irmao(arquivo, QStringLiteral("img")), 0);
}

void TImagem::GravaIdrisi(const QString& arquivo) {
  ExigeTipo(arquivo);
  GaranteEstatisticas();
  const bool maiusculas = arquivo.right(3) == arquivo.right(3).toUpper();
  const QString base = arquivo.left(arquivo.size() - 3);
  const QString doc = base + (maiusculas ? QStringLiteral("DOC") : QStringLiteral("doc"));
  const QString img = base + (maiusculas ? QStringLiteral("IMG") : QStringLiteral("img"));

  // The cells as they are stored, in their own type; never the own format's header bytes.
  TSaidaArquivo dados(img);
  const std::int64_t n = NumCelulas();
  const std::uint64_t lidas = Limite(TamCelula_);
  if (n > 0) {
    dados.Escreve(reinterpret_cast<const char*>(Celulas_), static_cast<qint64>(lidas * TamCelula_));
    const QByteArray zeros(static_cast<qsizetype>(TamCelula_), '\0');
    for (std::int64_t i = static_cast<std::int64_t>(lidas); i < n; ++i) dados.Escreve(zeros);
  }
  dados.Conclui();

  QString tipo, minimo, maximo;
  switch (TipoCelula_.unicode()) {
    case 'B':
      tipo = QStringLiteral("byte");
      minimo = QString::number(MinByte_);
      maximo = QString::number(MaxByte_);
      break;
    case 'I':
      tipo = QStringLiteral("integer");
      minimo = QString::number(MinInteiro_);
      maximo = QString::number(MaxInteiro_);
      break;
    default:
      tipo = QStringLiteral("real");
      minimo = Numeros::Cientifico(MinReal_);
      maximo = Numeros::Cientifico(MaxReal_);
      break;
  }
  TSaidaArquivo cabecalho(doc);
  cabecalho.EscreveLinha(QStringLiteral("file title  : ") + Titulo_);
  cabecalho.EscreveLinha(QStringLiteral("data type   : ") + tipo);
  cabecalho.EscreveLinha(QStringLiteral("file type   : binary"));
  cabecalho.EscreveLinha(QStringLiteral("columns     : ") + QString::number(NCols_));
  cabecalho.EscreveLinha(QStringLiteral("rows        : ") + QString::number(NRows_));
  cabecalho.EscreveLinha(QStringLiteral("ref. system : plane"));
  cabecalho.EscreveLinha(QStringLiteral("ref. units  : ") + Unidade_);
  cabecalho.EscreveLinha(QStringLiteral("unit dist.  : ") + Numeros::Cientifico(1.0));
  cabecalho.EscreveLinha(QStringLiteral("min. X      : ") + Numeros::Cientifico(XMin_));
  cabecalho.EscreveLinha(QStringLiteral("max. X      : ") + Numeros::Cientifico(XMax_));
  cabecalho.EscreveLinha(QStringLiteral("min. Y      : ") + Numeros::Cientifico(YMin_));
  cabecalho.EscreveLinha(QStringLiteral("max. Y      : ") + Numeros::Cientifico(YMax_));
  cabecalho.EscreveLinha(QStringLiteral("pos n error : unknown"));
  cabecalho.EscreveLinha(QStringLiteral("resolution  : unknown"));
  cabecalho.EscreveLinha(QStringLiteral("min. value  : ") + minimo);
  cabecalho.EscreveLinha(QStringLiteral("max. value  : ") + maximo);
  cabecalho.EscreveLinha(QStringLiteral("value units : unspecified"));
  cabecalho.EscreveLinha(QStringLiteral("value error : unknown"));
  cabecalho.EscreveLinha(QStringLiteral("flag value  : none"));
  cabecalho.EscreveLinha(QStringLiteral("flag def n  : none"));
  cabecalho.EscreveLinha(QStringLiteral("legend cats : 0"));
  cabecalho.Conclui();
}
