#include "ui/ComboBox.h"
#include "ui/Keys.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

ComboBox::ComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    // QComboBox would pick the item matching the text whenever the text part
    // loses the focus or gets Enter, which the program would take for a choice.
    QObject::disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
        m_listIndex = -1;
        emit Change();
    });
    connect(this, &QComboBox::activated, this, [this](int index) {
        m_listIndex = index;
        emit Click();
    });
}

void ComboBox::setEntries(const QStringList &items, const QString &text)
{
    const QSignalBlocker block(this);
    clear();
    addItems(items);
    setCurrentIndex(-1);
    setEditText(text);
    m_listIndex = -1;
}

void ComboBox::setEntryText(int index, const QString &text)
{
    const QSignalBlocker block(this);
    setItemText(index, text);
}

QString ComboBox::list(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return itemText(index);
}

QString ComboBox::text() const { return currentText(); }

void ComboBox::setListIndex(int index)
{
    if (index < 0 || index >= count()) {
        const QSignalBlocker block(this);
        setCurrentIndex(-1);
        setEditText(QString());
        m_listIndex = -1;
        return;
    }
    {
        const QSignalBlocker block(this);
        setCurrentIndex(index);
        setEditText(itemText(index));
    }
    m_listIndex = index;
    emit Click();
}

void ComboBox::keyPressEvent(QKeyEvent *e)
{
    emit KeyDown(keys::codeOf(e), keys::maskOf(e));
    QComboBox::keyPressEvent(e);
}

void ComboBox::mouseMoveEvent(QMouseEvent *e)
{
    emit MouseMove();
    QComboBox::mouseMoveEvent(e);
}
