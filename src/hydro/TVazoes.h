#pragma once
// The four reference flows of one regionalization method, in m^3/s. 0 reads as "not estimated".

class TVazoes {
 public:
  double Q710() const { return Q710_; }
  double Q90() const { return Q90_; }
  double Q95() const { return Q95_; }
  double Qmld() const { return Qmld_; }
  void SetQ710(double v) { Q710_ = v; }
  void SetQ90(double v) { Q90_ = v; }
  void SetQ95(double v) { Q95_ = v; }
  void SetQmld(double v) { Qmld_ = v; }
  void Zera() { Q710_ = Q90_ = Q95_ = Qmld_ = 0.0; }

 private:
  double Q710_ = 0.0;
  double Q90_ = 0.0;
  double Q95_ = 0.0;
  double Qmld_ = 0.0;
};
