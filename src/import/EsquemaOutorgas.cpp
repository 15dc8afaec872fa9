#include "import/EsquemaOutorgas.h"

namespace {

using V = TValorAtributo;

TAtributo Texto(const char* nome, const char* coluna, int largura) {
  return {QString::fromUtf8(nome), V::Texto, QString::fromUtf8(coluna),
          TCampo::Texto(QString::fromUtf8(nome), largura)};
}
TAtributo Real(const char* nome, const char* coluna) {
  return {QString::fromUtf8(nome), V::Real, QString::fromUtf8(coluna),
          TCampo::Real(QString::fromUtf8(nome))};
}
TAtributo Inteiro(const char* nome, const char* coluna) {
  return {QString::fromUtf8(nome), V::Inteiro, QString::fromUtf8(coluna),
          TCampo::Inteiro(QString::fromUtf8(nome))};
}
TAtributo Data(const char* nome, const char* coluna) {
  return {QString::fromUtf8(nome), V::Data, QString::fromUtf8(coluna),
          TCampo::Data(QString::fromUtf8(nome))};
}
TAtributo Vazao() {
  return {QStringLiteral("Vazao"), V::Vazao, {}, TCampo::Real(QStringLiteral("Vazao"))};
}
TAtributo Copia(const char* nome, const char* coluna, const TCampo& campo) {
  return {QString::fromUtf8(nome), V::Copia, QString::fromUtf8(coluna), campo};
}
TAtributo CopiaTexto(const char* nome, const char* coluna, int largura) {
  return Copia(nome, coluna, TCampo::Texto(QString::fromUtf8(nome), largura));
}
TAtributo Mensal(const char* nome, const char* coluna) {
  return {QString::fromUtf8(nome), V::VazaoMensal, QString::fromUtf8(coluna),
          TCampo::Real(QString::fromUtf8(nome))};
}
TAtributo Dms(const char* nome) {
  return {QString::fromUtf8(nome), V::Dms, QString::fromUtf8(nome),
          TCampo::Real(QString::fromUtf8(nome))};
}

}  // namespace

const std::vector<TAtributo>& EsquemaOutorgas::Significantes() {
  static const std::vector<TAtributo> lista{
      Real("Longitude", "Longitude"),
      Real("Latitude", "Latitude"),
      Texto("Nprocesso", "Nº Processo", 30),
      Texto("Requerente", "Requerente", 120),
      Inteiro("Nportaria", "Nº Portaria"),
      Data("Datapublic", "Data Publicação"),
      Texto("Municipio", "Município", 60),
      Texto("Rioestadua", "Rio Estadual", 80),
      Texto("Riofederal", "Rio Federal", 80),
      Texto("Rechidrico", "Recurso hídrico", 80),
      Vazao(),
      Texto("Local", "Local", 120),
      Data("Dataentrad", "Data entrada"),
      Texto("Obs", "Obs", 200),
      Inteiro("Validade", "Validade (anos)"),
      Texto("Finalidade", "Finalidade", 80),
      Texto("Uso", "Uso", 80),
  };
  return lista;
}

const std::vector<TAtributo>& EsquemaOutorgas::Insignificantes() {
  static const std::vector<TAtributo> lista{
      Real("Longitude", "Longitude"),
      Real("Latitude", "Latitude"),
      Texto("Nprocesso", "Nº Processo", 30),
      Texto("Requerente", "Requerente", 120),
      Texto("Municipio", "Município", 60),
      Texto("Rioestadua", "Rio Estadual", 80),
      Texto("Riofederal", "Rio Federal", 80),
      Texto("Rechidrico", "Recurso hídrico", 80),
      Vazao(),
      Texto("Local", "Local", 120),
      Data("Dataentrad", "Data entrada"),
      Inteiro("Ncertidao", "Nº Certidão"),
      Data("Dataexpedi", "Data Expedição"),
      Texto("Finalidade", "Finalidade", 80),
      Texto("Uso", "Uso", 80),
  };
  return lista;
}

const std::vector<TAtributo>& EsquemaOutorgas::Ana() {
  static const std::vector<TAtributo> lista = [] {
    std::vector<TAtributo> l{
        CopiaTexto("NomeReq", "NomeReq", 120),
        Copia("NrPort01", "NrPort01", TCampo::Real(QStringLiteral("NrPort01"))),
        Copia("DataPub01", "DataPub01", TCampo::Data(QStringLiteral("DataPub01"))),
        Copia("DataVenc01", "DataVenc01", TCampo::Data(QStringLiteral("DataVenc01"))),
        Dms("Latitude"),
        CopiaTexto("Hemisferio", "Hemisferio", 10),
        Dms("Longitude"),
        CopiaTexto("Uf", "Uf", 2),
        CopiaTexto("NOME_SIMPL", "NOME_SIMPLIFICADO_IBGE", 60),
        CopiaTexto("TipoMan", "TipoMan", 30),
        CopiaTexto("Rios", "Rios", 80),
        CopiaTexto("Bacia1", "Bacia1", 60),
        CopiaTexto("Finalidade", "Finalidade", 80),
    };
    static const char* const meses[] = {"Qjan", "Qfev", "Qmar", "Qabr", "Qmai", "Qjun",
                                        "Qjul", "Qago", "Qset", "Qout", "Qnov", "Qdez"};
    for (int m = 1; m <= 12; ++m) {
      // Only January's heading carries the unit.
      const QByteArray coluna =
          m == 1 ? QByteArray("Qc01 (m³/h)")
                 : QStringLiteral("Qc%1").arg(m, 2, 10, QLatin1Char('0')).toUtf8();
      l.push_back(Mensal(meses[m - 1], coluna.constData()));
    }
    static const char* const usos[][2] = {{"Abastecime", "Abastecimento"},
                                          {"Aquicultur", "Aquicultura"},
                                          {"Industria", "Indústria"},
                                          {"Irrigacao", "Irrigação"},
                                          {"Saneamento", "Saneamento"},
                                          {"Mineracao", "Mineração"},
                                          {"PequenosUs", "PequenosUsos"},
                                          {"Hidrogerac", "Hidrogeração"},
                                          {"Termogerac", "Termogeração"},
                                          {"Obras", "Obras"},
                                          {"Diversos", "Diversos"},
                                          {"Servicos", "Serviços"},
                                          {"Travessia", "Travessia"},
                                          {"Navegacao", "Navegação"},
                                          {"Lazer", "Lazer"},
                                          {"Outros", "Outros"}};
    for (const auto& u : usos) l.push_back(CopiaTexto(u[0], u[1], 20));
    return l;
  }();
  return lista;
}

QList<TCampo> EsquemaOutorgas::Campos(const std::vector<TAtributo>& atributos) {
  QList<TCampo> campos{TCampo::Inteiro(QStringLiteral("ID"))};
  for (const auto& a : atributos) campos << a.Campo;
  return campos;
}
