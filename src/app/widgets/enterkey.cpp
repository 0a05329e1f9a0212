#include "widgets/enterkey.h"

#include <QKeyEvent>
#include <QWidget>

namespace {

// A line edit or a list ignores the Enter it has acted on, and the dialog then takes the same
// key for its default button. The filter hands the key to the field itself, directly rather
// than through the application (which would pass it on to the dialog again), and stops it there.
class EnterKeeper : public QObject {
public:
    explicit EnterKeeper(QWidget *field) : QObject(field) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        watched->event(event);
        event->accept();
        return true;
    }
};

} // namespace

void keepEnterInField(QWidget *field) {
    field->installEventFilter(new EnterKeeper(field));
}
