#include "shell/forms/uwait.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace {

QPointer<Tfrmwait> lastBox;

// A small spinner at the left of the box; it turns whenever the event loop gets a turn.
class Spinner : public QWidget {
public:
    explicit Spinner(QWidget* parent) : QWidget(parent) {
        setFixedSize(32, 32);
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this] {
            step_ = (step_ + 1) % 12;
            update();
        });
        timer->start(80);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(width() / 2.0, height() / 2.0);
        for (int i = 0; i < 12; ++i) {
            QColor c(0, 70, 140);
            c.setAlpha(40 + 215 * ((i + 12 - step_) % 12) / 12);
            p.setPen(QPen(c, 3, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(0, 7), QPointF(0, 13));
            p.rotate(30);
        }
    }

private:
    int step_ = 0;
};

}  // namespace

Tfrmwait::Tfrmwait(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("frmwait");
    setWindowTitle("Quorvel商业信息系统...");
    setFixedSize(341, 60);
    setCursor(Qt::WaitCursor);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(new Spinner(this));
    Label1 = new QLabel("正在加载数据,请等待....", this);
    Label1->setObjectName("Label1");
    layout->addWidget(Label1, 1);
}

void ShowWaitBox(const QString& text) {
    auto* box = new Tfrmwait(QApplication::activeWindow());
    box->Label1->setText(text);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        box->move(screen->geometry().center() - box->rect().center());
    box->show();
    box->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    lastBox = box;
}

void HideWaitBox() {
    if (lastBox) delete lastBox.data();
    lastBox = nullptr;
}

Tfrmwait* currentWaitBox() { return lastBox.data(); }
