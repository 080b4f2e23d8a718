#include "widgets/Accessibility.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace Accessibility {

namespace {

// "&Directory" reads "Directory"; "&&" is a real ampersand.
QString withoutMnemonic(const QString &caption)
{
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        text += caption[i];
    }
    return text;
}

class NamedComboBoxInterface : public QAccessibleWidget {
public:
    explicit NamedComboBoxInterface(QComboBox *box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text which) const override
    {
        const auto *box = static_cast<QComboBox *>(widget());
        if (which == QAccessible::Value)
            return box->currentText();
        if (which == QAccessible::Name && box->accessibleName().isEmpty())
            return box->currentText();
        return QAccessibleWidget::text(which);
    }

    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << showMenuAction(); }

    void doAction(const QString &action) override
    {
        if (action == showMenuAction())
            static_cast<QComboBox *>(widget())->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface *namedComboBoxFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("NamedComboBox") && object && object->isWidgetType())
        return new NamedComboBoxInterface(static_cast<QComboBox *>(object));
    return nullptr;
}

}

void describeControls(QWidget *window)
{
    for (QLabel *label : window->findChildren<QLabel *>()) {
        QWidget *control = label->buddy();
        if (control && control->accessibleName().isEmpty())
            control->setAccessibleName(withoutMnemonic(label->text()));
    }
    for (QComboBox *box : window->findChildren<QComboBox *>())
        if (box->lineEdit() && box->lineEdit()->accessibleName().isEmpty())
            box->lineEdit()->setAccessibleName(box->accessibleName());
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (!control->accessibleDescription().isEmpty())
            continue;
        const QString hint = control->statusTip().isEmpty() ? control->toolTip() : control->statusTip();
        if (!hint.isEmpty())
            control->setAccessibleDescription(hint);
    }
}

}

NamedComboBox::NamedComboBox(QWidget *parent) : QComboBox(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(Accessibility::namedComboBoxFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
