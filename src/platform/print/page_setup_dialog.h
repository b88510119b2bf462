#pragma once

#include <QDialog>
#include <QMargins>

class QComboBox;
class QLabel;
class QRadioButton;
class QSpinBox;

namespace corvane::platform {

// The page set-up dialog of a report: paper, orientation and the four margins.
// Paper is a Windows paper number (see paper_sizes.h), orientation 1 portrait and
// 2 landscape, margins whole millimetres in the order left, top, right, bottom.
//
// Controls, by object name: cboPaper, optPortrait, optLandscape, txtLeft, txtTop,
// txtRight, txtBottom, lblPaperSize, cmdOK, cmdCancel.
class PageSetupDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PageSetupDialog(QWidget* parent = nullptr);

  void SetPage(int paperNumber, int orientation, const QMargins& marginsMm);
  int PaperNumber() const;
  int Orientation() const;
  QMargins MarginsMm() const;
  // The texts the dialog writes itself, in the session's language: the refusal of
  // margins that leave nothing to print on, and the entry of a paper this
  // machine does not list ("%1" the paper number). Chinese until set.
  void SetTexts(const QString& marginsTooWide, const QString& paperNumbered);

 private slots:
  void Confirm();
  void ShowPaperDimensions();

 private:
  void BuildControls();
  void SelectPaper(int paperNumber);
  // The paper's width and height in millimetres as the chosen orientation turns it.
  QSizeF OrientedPaperMm() const;

  QComboBox* paper_ = nullptr;
  QLabel* paperSize_ = nullptr;
  QRadioButton* portrait_ = nullptr;
  QRadioButton* landscape_ = nullptr;
  QSpinBox* left_ = nullptr;
  QSpinBox* top_ = nullptr;
  QSpinBox* right_ = nullptr;
  QSpinBox* bottom_ = nullptr;
  QString marginsTooWide_;
  QString paperNumbered_;
};

}  // namespace corvane::platform
