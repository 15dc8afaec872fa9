#include "data/ColunasOutorgas.h"

#include <QDir>

QStringList ColunasOutorgas::Lidas(const QString& folha) {
  static const QStringList comuns{QStringLiteral("Nº Processo"),     QStringLiteral("Data entrada"),
                                  QStringLiteral("Requerente"),      QStringLiteral("Município"),
                                  QStringLiteral("Rio Estadual"),    QStringLiteral("Rio Federal"),
                                  QStringLiteral("Recurso hídrico"), QStringLiteral("Latitude"),
                                  QStringLiteral("Longitude"),       QStringLiteral("Local"),
                                  QStringLiteral("Finalidade"),      QStringLiteral("Uso")};
  static const QStringList significantes =
      comuns + QStringList{QStringLiteral("Nº Portaria"), QStringLiteral("Data Publicação"),
                           QStringLiteral("Obs"), QStringLiteral("Validade (anos)")};
  if (folha == FolhaSuperficial) return significantes + QStringList{QStringLiteral("Vazão (m³/s)")};
  if (folha == FolhaSubterranea) return significantes + QStringList{QStringLiteral("Vazão (m³/h)")};
  if (folha == FolhaInsignificante)
    return comuns + QStringList{QStringLiteral("Nº Certidão"), QStringLiteral("Data Expedição"),
                                QStringLiteral("Vazão (m³/s)"), QStringLiteral("Vazão (m³/h)")};
  if (folha == FolhaAna) {
    QStringList ana{QStringLiteral("NomeReq"),
                    QStringLiteral("NrPort01"),
                    QStringLiteral("DataPub01"),
                    QStringLiteral("DataVenc01"),
                    QStringLiteral("Latitude"),
                    QStringLiteral("Hemisferio"),
                    QStringLiteral("Longitude"),
                    QStringLiteral("Uf"),
                    QStringLiteral("NOME_SIMPLIFICADO_IBGE"),
                    QStringLiteral("TipoMan"),
                    QStringLiteral("Rios"),
                    QStringLiteral("Bacia1"),
                    QStringLiteral("Finalidade"),
                    QStringLiteral("Qc01 (m³/h)")};
    for (int m = 2; m <= 12; ++m) ana << QStringLiteral("Qc%1").arg(m, 2, 10, QLatin1Char('0'));
    ana << QStringList{QStringLiteral("Abastecimento"), QStringLiteral("Aquicultura"),
                       QStringLiteral("Indústria"),     QStringLiteral("Irrigação"),
                       QStringLiteral("Saneamento"),    QStringLiteral("Mineração"),
                       QStringLiteral("PequenosUsos"),  QStringLiteral("Hidrogeração"),
                       QStringLiteral("Termogeração"),  QStringLiteral("Obras"),
                       QStringLiteral("Diversos"),      QStringLiteral("Serviços"),
                       QStringLiteral("Travessia"),     QStringLiteral("Navegação"),
                       QStringLiteral("Lazer"),         QStringLiteral("Outros")};
    return ana;
  }
  return {};
}

std::optional<TTipoColunaPlanilha> ColunasOutorgas::Tipo(const QString& folha,
                                                         const QString& titulo) {
  static const QStringList numeros{
      QStringLiteral("Nº Portaria"),  QStringLiteral("Nº Certidão"),
      QStringLiteral("Latitude"),     QStringLiteral("Longitude"),
      QStringLiteral("Vazão (m³/s)"), QStringLiteral("Vazão (m³/h)"),
      QStringLiteral("NrPort01"),     QStringLiteral("Validade (anos)"),
      QStringLiteral("Qc01 (m³/h)")};
  static const QStringList datas{QStringLiteral("Data entrada"), QStringLiteral("Data Publicação"),
                                 QStringLiteral("Data Expedição"), QStringLiteral("DataPub01"),
                                 QStringLiteral("DataVenc01")};
  if (!Lidas(folha).contains(titulo)) return std::nullopt;
  if (datas.contains(titulo)) return TTipoColunaPlanilha::Data;
  const bool mensal = titulo.size() == 4 && titulo.startsWith(QStringLiteral("Qc"));
  if (numeros.contains(titulo) || mensal) return TTipoColunaPlanilha::Numero;
  return std::nullopt;
}

QStringList ColunasOutorgas::Ausentes(const QStringList& titulos, const QStringList& lidas) {
  QStringList ausentes;
  for (const QString& c : lidas)
    if (!titulos.contains(c)) ausentes << c;
  return ausentes;
}

QString ColunasOutorgas::MensagemAusentes(const QString& folha, const QString& arquivo,
                                          const QStringList& ausentes) {
  QStringList entre;
  for (const QString& a : ausentes) entre << QLatin1Char('"') + a + QLatin1Char('"');
  return QStringLiteral("A folha \"%1\" do arquivo %2 não tem %3 %4.")
      .arg(folha, QDir::toNativeSeparators(arquivo),
           ausentes.size() == 1 ? QStringLiteral("a coluna") : QStringLiteral("as colunas"),
           entre.join(QStringLiteral(", ")));
}
