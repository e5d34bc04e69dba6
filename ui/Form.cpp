#include "ui/Form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>


namespace trelvan {

class Form::Quiet {
 public:
  explicit Quiet(Form& form) : form_(form) { ++form_.quiet_; }
  ~Quiet() { --form_.quiet_; }
  Quiet(const Quiet&) = delete;
  Quiet& operator=(const Quiet&) = delete;

 private:
  Form& form_;
};

Form::Form(Services& services, const QString& title, QWidget* parent)
    : QDialog(parent), services_(services), layout_(new QVBoxLayout(this)) {
  setWindowTitle(title);
  setModal(true);
  layout_->setSpacing(6);
}

Form::~Form() = default;

int Form::Execute() {
  ended_ = false;
  OnOpen();
  if (!ended_) services_.runModal(*this);
  ended_ = true;
  OnDestroy();
  return result();
}

void Form::End(int result) { done(result); }

void Form::done(int result) {
  ended_ = true;
  QDialog::done(result);
}

int Form::AddGroup(const QString& caption) {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(4);
  if (caption.isEmpty()) {
    layout_->addLayout(grid);
  } else {
    auto* box = new QGroupBox(caption, this);
    box->setLayout(grid);
    layout_->addWidget(box);
  }
  groups_.append(grid);
  return static_cast<int>(groups_.size()) - 1;
}

QGridLayout* Form::GroupGrid(int group) const { return groups_.value(group, nullptr); }

void Form::FitListWidth(int id, int characters) {
  if (auto* list = qobject_cast<QComboBox*>(Control(id))) list->setMinimumContentsLength(characters);
}

void Form::FitWidth(int id, std::span<const std::string_view> captions) {
  QWidget* widget = Control(id);
  if (!widget) return;
  const QFontMetrics metrics = widget->fontMetrics();
  QString widest;
  for (std::string_view caption : captions) {
    const QString text = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    if (metrics.horizontalAdvance(text) > metrics.horizontalAdvance(widest)) widest = text;
  }
  FitWidth(id, widest);
}

void Form::FitWidth(int id, const QString& widest) {
  QWidget* widget = Control(id);
  if (!widget) return;
  const QFontMetrics metrics = widget->fontMetrics();
  const int text = metrics.horizontalAdvance(widest);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    // The edit's own hint is 17 'x' wide plus its margins and frame: keep those.
    const int chrome = edit->sizeHint().width() - metrics.horizontalAdvance(QLatin1Char('x')) * 17;
    edit->setFixedWidth(text + chrome);
    fitted_.insert(id, FittedWidth{text + chrome, chrome});
  } else if (qobject_cast<QPushButton*>(widget)) {
    // The style's minimum width for buttons with a caption is meant for words;
    // a state caption ("N", "+") needs only its margins and frame.
    const QStyle* style = widget->style();
    const int chrome = 2 * (style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, widget) +
                            style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, widget));
    widget->setFixedWidth(std::max(text + chrome, metrics.height() + chrome));
  }
}

void Form::AddControls(std::initializer_list<ControlSpec> controls) {
  AddControls(std::span<const ControlSpec>(controls.begin(), controls.size()));
}

void Form::AddControls(std::span<const ControlSpec> controls) {
  for (const ControlSpec& control : controls) AddControl(control);
}

void Form::AddControl(const ControlSpec& control) {
  const QString text = QString::fromUtf8(control.text ? control.text : "");
  QWidget* widget = nullptr;
  switch (control.kind) {
    case ControlKind::kCaption:
    case ControlKind::kLabel:
      widget = new QLabel(text, this);
      break;
    case ControlKind::kEdit:
    case ControlKind::kDigits: {
      auto* edit = new QLineEdit(text, this);
      if (control.kind == ControlKind::kDigits) {
        // Typing stops at nine digits, so no field holds a number beyond a
        // 32-bit int; a paste with anything else is refused whole.
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), edit));
      }
      const int id = control.id;
      connect(edit, &QLineEdit::textChanged, this, [this, id] {
        if (quiet_ == 0) OnTextChanged(id);
      });
      widget = edit;
      break;
    }
    case ControlKind::kButton:
    case ControlKind::kDefaultButton: {
      auto* button = new QPushButton(text, this);
      button->setAutoDefault(false);
      button->setDefault(control.kind == ControlKind::kDefaultButton);
      const int id = control.id;
      connect(button, &QPushButton::clicked, this, [this, id] { OnPressed(id); });
      widget = button;
      break;
    }
    case ControlKind::kRadio: {
      // Radio buttons are exclusive within their group box, as a user expects.
      auto* radio = new QRadioButton(text, this);
      const int id = control.id;
      connect(radio, &QRadioButton::clicked, this, [this, id] { OnPressed(id); });
      widget = radio;
      break;
    }
    case ControlKind::kList:
    case ControlKind::kEditableList: {
      auto* list = new QComboBox(this);
      if (control.kind == ControlKind::kEditableList) {
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setCompleter(nullptr);  // no completion: names differing in case are distinct
        if (control.maxLength > 0) list->lineEdit()->setMaxLength(control.maxLength);
        // Enter or leaving the field would otherwise select an entry whose
        // text equals the typed one and show that entry over the fields the
        // user typed, so that a Save wrote the old position back. Only a
        // choice from the list selects.
        disconnect(list->lineEdit(), &QLineEdit::editingFinished, list, nullptr);
      }
      list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
      list->setMinimumContentsLength(control.maxLength > 0 ? control.maxLength : 14);
      const int id = control.id;
      connect(list, &QComboBox::currentIndexChanged, this, [this, id] {
        if (quiet_ == 0) OnSelectionChanged(id);
      });
      widget = list;
      break;
    }
  }
  if (control.id != 0) {
    widget->setObjectName(QString::number(control.id));
    controls_.insert(control.id, widget);
  }
  QGridLayout* grid = GroupGrid(control.group);
  Q_ASSERT(grid);
  grid->addWidget(widget, control.row, control.column, control.rowSpan, control.columnSpan);
}

QWidget* Form::Control(int id) const { return controls_.value(id, nullptr); }

QString Form::Text(int id) const {
  QWidget* w = Control(id);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
  if (auto* list = qobject_cast<QComboBox*>(w)) return list->currentText();
  return {};
}

void Form::SetText(int id, const QString& text) {
  Quiet quiet(*this);
  QWidget* w = Control(id);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    edit->setText(text);
    // A value wider than the digits the field was fitted to (an altitude
    // beyond five digits, a variance of four) widens the field: clipped, it
    // would show only its last digits, which look like a real value.
    if (const auto fitted = fitted_.constFind(id); fitted != fitted_.cend()) {
      const int needed = edit->fontMetrics().horizontalAdvance(text) + fitted->chrome;
      const int width = std::max(fitted->width, needed);
      if (edit->width() != width || edit->minimumWidth() != width) edit->setFixedWidth(width);
    }
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    button->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(w)) {
    label->setText(text);
  } else if (auto* list = qobject_cast<QComboBox*>(w); list && list->isEditable()) {
    list->setEditText(text);
  }
}

void Form::SetReadOnly(int id, bool readOnly) {
  auto* edit = qobject_cast<QLineEdit*>(Control(id));
  if (!edit) return;
  edit->setReadOnly(readOnly);
  // A read-only field takes the window's colour, so the fields a user can
  // type in stand out. The style's palette is asked for once per form: the
  // style makes it anew at each call.
  if (!standardPalette_) standardPalette_ = style()->standardPalette();
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, standardPalette_->color(readOnly ? QPalette::Window
                                                                     : QPalette::Base));
  edit->setPalette(palette);
}

bool Form::IsReadOnly(int id) const {
  auto* edit = qobject_cast<QLineEdit*>(Control(id));
  return edit && edit->isReadOnly();
}

void Form::CheckRadio(int first, int last, int id) {
  for (auto it = controls_.cbegin(); it != controls_.cend(); ++it) {
    if (it.key() < first || it.key() > last) continue;
    auto* radio = qobject_cast<QRadioButton*>(it.value());
    if (!radio) continue;
    // Exclusive buttons refuse to be unchecked; an id outside the range
    // must leave every button of the range unchecked.
    radio->setAutoExclusive(false);
    radio->setChecked(it.key() == id);
    radio->setAutoExclusive(true);
  }
}

bool Form::IsChecked(int id) const {
  auto* button = qobject_cast<QAbstractButton*>(Control(id));
  return button && button->isChecked();
}

void Form::ListClear(int id) {
  Quiet quiet(*this);
  if (auto* list = qobject_cast<QComboBox*>(Control(id))) list->clear();
}

void Form::ListAppend(int id, const QString& text) {
  Quiet quiet(*this);
  auto* list = qobject_cast<QComboBox*>(Control(id));
  if (!list) return;
  // An item added to an empty list would become selected; the form decides.
  const int before = list->currentIndex();
  list->addItem(text);
  if (before < 0) list->setCurrentIndex(-1);
}

void Form::ListRemove(int id, int index) {
  Quiet quiet(*this);
  auto* list = qobject_cast<QComboBox*>(Control(id));
  if (list && index >= 0 && index < list->count()) list->removeItem(index);
}

void Form::ListSelect(int id, int index) {
  Quiet quiet(*this);
  auto* list = qobject_cast<QComboBox*>(Control(id));
  if (!list) return;
  list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

int Form::ListSelection(int id) const {
  auto* list = qobject_cast<QComboBox*>(Control(id));
  return list ? list->currentIndex() : -1;
}

int Form::ListCount(int id) const {
  auto* list = qobject_cast<QComboBox*>(Control(id));
  return list ? list->count() : 0;
}

QString Form::ListText(int id, int index) const {
  auto* list = qobject_cast<QComboBox*>(Control(id));
  return list ? list->itemText(index) : QString();
}

void Form::ShowMessage(const QString& text, const QString& details) {
  services_.showMessage(*this, text, details);
}

bool Form::Ask(const QString& question) { return services_.askYesNo(*this, question); }

int Form::RunModal(Form& child) { return child.Execute(); }

QDateTime Form::Now() const { return services_.now(); }

FileChoice Form::ChooseFile(const FileRequest& request) {
  return services_.chooseFile(*this, request);
}

bool Form::Press(int id) {
  auto* button = qobject_cast<QAbstractButton*>(Control(id));
  if (!button || !button->isEnabled()) return false;
  button->click();
  return true;
}

bool Form::Type(int id, const QString& text) {
  QWidget* w = Control(id);
  QLineEdit* edit = qobject_cast<QLineEdit*>(w);
  if (auto* list = qobject_cast<QComboBox*>(w)) edit = list->lineEdit();
  if (!edit || edit->isReadOnly() || !edit->isEnabled()) return false;
  // Select everything and insert, as a user replacing the text: the
  // validator and the length limit apply, and textChanged follows.
  edit->selectAll();
  edit->insert(text);
  return edit->text() == text;
}

bool Form::Choose(int id, int index) {
  auto* list = qobject_cast<QComboBox*>(Control(id));
  if (!list || index < 0 || index >= list->count()) return false;
  list->setCurrentIndex(index);
  return true;
}

}  // namespace trelvan
