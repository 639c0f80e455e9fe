#include "shell/forms/usplash.h"

#include "shell/forms/artwork.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>

Tsplashform::Tsplashform(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("splashform");
    setWindowTitle("Quorvel商业信息系统...");
    setFixedSize(284, 61);
    setCursor(Qt::BusyCursor);
    auto* layout = new QHBoxLayout(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(artwork::programIcon().pixmap(32, 32));
    layout->addWidget(icon);
    layout->addWidget(new QLabel("正在加载系统数据，请等待....", this), 1);
    if (QScreen* screen = QGuiApplication::primaryScreen()) move(screen->geometry().center() - rect().center());
}
