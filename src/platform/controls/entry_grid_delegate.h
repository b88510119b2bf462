#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

namespace corvane::platform {

class EntryGrid;

// Creates the in-place editor of an entry-grid cell by its column's kind and hands
// the typed text to the grid, which asks the window before keeping it.
class EntryGridDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit EntryGridDelegate(EntryGrid* grid);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
  void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

  QWidget* ActiveEditor() const { return active_; }
  // Ends the open editor: keeping its text (as Enter) or dropping it (as Esc).
  void Finish(bool keep, EndEditHint hint = NoHint);
  static QString EditorText(const QWidget* editor);
  static void SetEditorText(QWidget* editor, const QString& text);

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  int GridRow(const QModelIndex& index) const;

  EntryGrid* grid_;
  mutable QPointer<QWidget> active_;
  mutable int activeRow_ = -1;
  mutable int activeCol_ = -1;
};

}  // namespace corvane::platform
