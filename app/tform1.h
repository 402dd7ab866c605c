#pragma once
#include <QMainWindow>
class TForm1 : public QMainWindow { Q_OBJECT };
