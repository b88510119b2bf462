#include "platform/controls/entry_grid_delegate.h"

#include "platform/controls/amount_edit.h"
#include "platform/controls/date_edit.h"
#include "platform/controls/entry_grid.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace corvane::platform {

namespace {

// Stops typing into a text box at a maximum length measured by the grid's counter:
// a key or an input method's text that would pass it goes in only as far as it
// fits. Pasting is left alone (the window refuses a text that is too long).
class TypingLimit : public QObject {
 public:
  TypingLimit(QLineEdit* box, int maxLength, EntryGrid::LengthCounter counter)
      : QObject(box), box_(box), max_(maxLength), counter_(std::move(counter)) {}

  bool eventFilter(QObject*, QEvent* event) override {
    QString typed;
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      const bool shortcut = key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
      if (shortcut || key->text().isEmpty() || !key->text()[0].isPrint()) return false;
      typed = key->text();
    } else if (event->type() == QEvent::InputMethod) {
      typed = static_cast<QInputMethodEvent*>(event)->commitString();
    }
    if (typed.isEmpty()) return false;
    const int start = box_->hasSelectedText() ? box_->selectionStart() : box_->cursorPosition();
    const int selected = box_->hasSelectedText() ? int(box_->selectedText().size()) : 0;
    const QString kept = box_->text().remove(start, selected);
    qsizetype fits = typed.size();
    while (fits > 0 && counter_(QString(kept).insert(start, typed.left(fits))) > max_) --fits;
    if (fits == typed.size()) return false;
    if (fits > 0) box_->insert(typed.left(fits));
    return true;
  }

 private:
  QLineEdit* box_;
  int max_;
  EntryGrid::LengthCounter counter_;
};

void LimitLength(QLineEdit* box, QWidget* editor, int maxLength, const EntryGrid::LengthCounter& counter) {
  if (maxLength <= 0) return;
  if (!counter) {
    box->setMaxLength(maxLength);
    return;
  }
  auto* limit = new TypingLimit(box, maxLength, counter);
  box->installEventFilter(limit);
  // An editable list hands its keys to its line edit directly.
  if (editor != box) editor->installEventFilter(limit);
}

}  // namespace

EntryGridDelegate::EntryGridDelegate(EntryGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

int EntryGridDelegate::GridRow(const QModelIndex& index) const {
  return grid_->Model()->RowOfViewRow(index.row());
}

QWidget* EntryGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex& index) const {
  const int row = GridRow(index);
  const int col = index.column();
  if (!grid_->IsCellEditable(row, col)) return nullptr;
  const ColumnEditor column = grid_->ColumnEditorOf(col);
  QWidget* editor = nullptr;
  switch (column.kind) {
    case ColumnKind::ReadOnly:
      return nullptr;
    case ColumnKind::Amount: {
      auto* amount = new AmountEdit(parent);
      AmountKeyRules rules;
      rules.decimals = column.decimals;
      if (column.maxLength > 0) rules.maxLength = column.maxLength;
      amount->SetRules(rules);
      editor = amount;
      break;
    }
    case ColumnKind::Date:
      editor = new DateEdit(parent);
      break;
    case ColumnKind::List: {
      auto* list = new QComboBox(parent);
      list->setEditable(true);
      list->setInsertPolicy(QComboBox::NoInsert);
      list->addItems(grid_->ColumnList(col));
      LimitLength(list->lineEdit(), list, column.maxLength, grid_->LengthCounterOf());
      editor = list;
      break;
    }
    case ColumnKind::Text: {
      auto* text = new QLineEdit(parent);
      LimitLength(text, text, column.maxLength, grid_->LengthCounterOf());
      editor = text;
      break;
    }
  }
  editor->setAutoFillBackground(true);
  // Keys typed into a combo box reach its line edit, so that is where they are watched.
  if (auto* list = qobject_cast<QComboBox*>(editor)) list->lineEdit()->installEventFilter(const_cast<EntryGridDelegate*>(this));
  active_ = editor;
  activeRow_ = row;
  activeCol_ = col;
  return editor;
}

void EntryGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  const int row = GridRow(index);
  const int col = index.column();
  const QString text = grid_->TextMatrix(row, col);
  const ColumnKind kind = grid_->ColumnEditorOf(col).kind;
  // The window may fill the list first; the cell's text is then put on top of it.
  if (kind == ColumnKind::List || kind == ColumnKind::Date) grid_->NotifyEditorOpened(row, col, editor);
  SetEditorText(editor, text);
}

QString EntryGridDelegate::EditorText(const QWidget* editor) {
  if (const auto* list = qobject_cast<const QComboBox*>(editor)) return list->currentText();
  if (const auto* amount = qobject_cast<const AmountEdit*>(editor)) {
    return amount->text().trimmed().isEmpty() ? QString() : amount->DisplayText();
  }
  if (const auto* line = qobject_cast<const QLineEdit*>(editor)) return line->text();
  return QString();
}

void EntryGridDelegate::SetEditorText(QWidget* editor, const QString& text) {
  if (auto* list = qobject_cast<QComboBox*>(editor)) {
    list->setEditText(text);
  } else if (auto* amount = qobject_cast<AmountEdit*>(editor)) {
    // An amount opens without its separators; a text refused before opens as it was.
    amount->setText(text);
    amount->setText(amount->PlainText());
  } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
    line->setText(text);
  }
}

void EntryGridDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
  grid_->SubmitEdit(GridRow(index), index.column(), EditorText(editor));
}

void EntryGridDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
  if (editor == active_) {
    active_ = nullptr;
    activeRow_ = activeCol_ = -1;
  }
  QStyledItemDelegate::destroyEditor(editor, index);
}

void EntryGridDelegate::Finish(bool keep, EndEditHint hint) {
  QWidget* editor = active_;
  if (!editor) return;
  if (keep) emit commitData(editor);
  emit closeEditor(editor, keep ? hint : RevertModelCache);
}

bool EntryGridDelegate::eventFilter(QObject* object, QEvent* event) {
  QWidget* editor = active_;
  // While the window answers about a typed text (perhaps with a message box that
  // takes the focus), the editor must not commit a second time on losing the focus.
  if (event->type() == QEvent::FocusOut && grid_->IsSubmitting()) return true;
  if (editor && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && plain) {
      // A kept text moves on to the next cell; a refused one leaves the cursor here.
      emit commitData(editor);
      emit closeEditor(editor, grid_->LastSubmitAccepted() ? EditNextItem : NoHint);
      return true;
    }
    const QString text = key->text();
    if (!text.isEmpty() && text[0].isPrint() && !key->modifiers().testFlag(Qt::ControlModifier)) {
      grid_->NotifyEditKey(activeRow_, activeCol_, text);
      if (active_ != editor) return true;  // the window closed the editor: the key goes nowhere
    }
  }
  // The line edit inside a list editor holds the focus for it: its leaving counts as
  // the editor's; its other events are its own.
  if (editor && object != editor) {
    return event->type() == QEvent::FocusOut ? QStyledItemDelegate::eventFilter(editor, event) : false;
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace corvane::platform
