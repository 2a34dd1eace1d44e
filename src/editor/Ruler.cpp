#include "editor/Ruler.h"

TRuler::TRuler(QWidget* parent) : QWidget(parent) { setFixedWidth(40); }

void TRuler::RepaintNumbers() { update(); }
