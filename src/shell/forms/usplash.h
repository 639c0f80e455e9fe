// Tsplashform: the small window shown while the program starts.
#pragma once

#include <QWidget>

class Tsplashform : public QWidget {
    Q_OBJECT
public:
    explicit Tsplashform(QWidget* parent = nullptr);
};
