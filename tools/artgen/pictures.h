// One painter per holiday picture (internal to the generator).
#pragma once

#include <QImage>

namespace tv::art {

QImage paintNewYear();
QImage paintValentine();
QImage paintWomensDay();
QImage paintMarch15();
QImage paintAugust20();
QImage paint1956();
QImage paintGoodFriday();
QImage paintEaster();
QImage paintWelcome();
QImage paintAllSaints();
QImage paintAllSouls();
QImage paintNicholas();
QImage paintChristmasEve();
QImage paintChristmasDay();
QImage paintBoxingDay();
QImage paintAdvent(int lit);  // 1..4 candles burning

}  // namespace tv::art
