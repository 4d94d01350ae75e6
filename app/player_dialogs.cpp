#include "app/player_dialogs.h"

#include "app/program_pictures.h"
#include "app/tarnwick_application.h"
#include "store/binary_stream.h"
#include "store/player_shortcuts.h"
#include "store/players.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

PlayerNameDialog::PlayerNameDialog(const QString &caption, const QString &prompt, const QString &name, QWidget *parent)
    : QDialog(parent), edit(new QLineEdit(name))
{
    setWindowTitle(caption);
    edit->setMaxLength(PlayerNameMaxLength);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(prompt));
    layout->addWidget(edit);
    layout->addWidget(buttons);
    edit->selectAll();
}

std::optional<QString> PlayerNameDialog::Name() const
{
    const QString name = edit->text().trimmed();
    if (result() != QDialog::Accepted || name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> PlayerNameDialog::Ask(QWidget *parent, const QString &caption, const QString &prompt,
                                             const QString &name)
{
    PlayerNameDialog dialog(caption, prompt, name, parent);
    dialog.exec();
    return dialog.Name();
}

PlayerShortcutDialog::PlayerShortcutDialog(const QString &playerName, QWidget *parent)
    : QDialog(parent), edit(new QLineEdit(PlayerShortcuts::proposedName(playerName))), preview(new QLabel),
      createButton(new QPushButton(QString::fromLatin1(PlayerShortcutText::Create)))
{
    setWindowTitle(QString::fromLatin1(PlayerShortcutText::Caption));
    auto *explanation = new QLabel(QString::fromLatin1(PlayerShortcutText::Explanation));
    explanation->setWordWrap(true);
    auto *icon = new QLabel;
    icon->setPixmap(programIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignHCenter);
    // The preview shows the name as the desktop would under the icon.
    preview->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    preview->setWordWrap(true);
    preview->setFixedWidth(120);
    preview->setText(edit->text());
    auto *iconColumn = new QVBoxLayout;
    iconColumn->addWidget(icon);
    iconColumn->addWidget(preview);
    iconColumn->addStretch();
    auto *text = new QVBoxLayout;
    text->addWidget(explanation);
    text->addWidget(new QLabel(QString::fromLatin1(PlayerShortcutText::Prompt)));
    text->addWidget(edit);
    text->addStretch();
    auto *top = new QHBoxLayout;
    top->addLayout(iconColumn);
    top->addLayout(text, 1);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"));
    createButton->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(createButton);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    connect(createButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(edit, &QLineEdit::textChanged, this, [this](const QString &name) {
        preview->setText(name);
        createButton->setEnabled(!name.isEmpty());
    });
    setMinimumWidth(420);
}

QString PlayerShortcutDialog::ShortcutName() const
{
    return edit->text();
}

PlayerDialogPrompts PlayerDialogPrompts::boxes(QWidget *parent)
{
    PlayerDialogPrompts prompts;
    prompts.askName = [parent](const QString &caption, const QString &prompt, const QString &name) {
        return PlayerNameDialog::Ask(parent, caption, prompt, name);
    };
    prompts.inform = [parent](const QString &caption, const QString &text) {
        QMessageBox::information(parent, caption, text);
    };
    prompts.confirm = [parent](const QString &caption, const QString &text) {
        return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
               QMessageBox::Yes;
    };
    prompts.askShortcutName = [parent](const QString &playerName) -> std::optional<QString> {
        PlayerShortcutDialog dialog(playerName, parent);
        if (dialog.exec() != QDialog::Accepted || dialog.ShortcutName().isEmpty())
            return std::nullopt;
        return dialog.ShortcutName();
    };
    return prompts;
}

PlayerListDialog::PlayerListDialog(const PlayerListContext &context, const QString &selectedName, QWidget *parent)
    : QDialog(parent), Prompts(PlayerDialogPrompts::boxes(this)), context(context)
{
    setWindowTitle(QString::fromLatin1(PlayerText::ListCaption));
    editor = std::make_unique<PlayerListEditor>(*context.players, selectedName, context.today, context.log,
                                                context.shortcuts,
                                                context.hooks ? context.hooks() : PlayerListHooks{});
    names = new QListWidget;
    names->setObjectName(QStringLiteral("Players_LB"));
    connect(names, &QListWidget::currentRowChanged, this, [this](int row) { editor->select(row); });
    connect(names, &QListWidget::itemDoubleClicked, this, [this] { Edit(); });

    auto *add = new QPushButton(QStringLiteral("Add..."));
    auto *edit = new QPushButton(QStringLiteral("Edit..."));
    auto *remove = new QPushButton(QStringLiteral("Delete"));
    auto *shortcut = new QPushButton(QStringLiteral("&Shortcut..."));
    auto *close = new QPushButton(QStringLiteral("Close"));
    connect(add, &QPushButton::clicked, this, &PlayerListDialog::Add);
    connect(edit, &QPushButton::clicked, this, &PlayerListDialog::Edit);
    connect(remove, &QPushButton::clicked, this, &PlayerListDialog::Delete);
    connect(shortcut, &QPushButton::clicked, this, &PlayerListDialog::Shortcut);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    shortcut->setEnabled(context.shortcuts != nullptr);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {add, edit, remove, shortcut})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(names, 1);
    layout->addLayout(buttons);
    showNames();
}

PlayerListDialog::~PlayerListDialog() = default;

void PlayerListDialog::showNames()
{
    const QSignalBlocker block(names);
    names->clear();
    names->addItems(editor->names());
    names->setCurrentRow(editor->selected());
}

void PlayerListDialog::informOutcome(int outcome)
{
    const auto result = PlayerListEditor::Outcome(outcome);
    const char *text = result == PlayerListEditor::Outcome::NameExists ? PlayerText::NameExists
                       : result == PlayerListEditor::Outcome::LastPlayer ? PlayerText::LastPlayer
                                                                          : nullptr;
    if (text && Prompts.inform)
        Prompts.inform(QString::fromLatin1(PlayerText::InformationCaption), QString::fromLatin1(text));
}

void PlayerListDialog::Add()
{
    const auto name = Prompts.askName(QString::fromLatin1(PlayerText::AddCaption),
                                      QString::fromLatin1(PlayerText::AddPrompt), QString());
    if (!name)
        return;
    informOutcome(int(editor->add(*name)));
    showNames();
}

void PlayerListDialog::Edit()
{
    const int index = editor->selected();
    if (index < 0)
        return;
    const auto name = Prompts.askName(QString::fromLatin1(PlayerText::EditCaption),
                                      QString::fromLatin1(PlayerText::EditPrompt), editor->names().at(index));
    if (!name)
        return;
    informOutcome(int(editor->rename(index, *name)));
    showNames();
}

void PlayerListDialog::Delete()
{
    const int index = editor->selected();
    if (index < 0)
        return;
    if (editor->names().size() <= 1) {
        informOutcome(int(PlayerListEditor::Outcome::LastPlayer));
        return;
    }
    const QString question = QString::fromLatin1(PlayerText::ConfirmDelete).arg(editor->names().at(index));
    if (!Prompts.confirm(QString::fromLatin1(PlayerText::DeleteCaption), question))
        return;
    informOutcome(int(editor->remove(index)));
    showNames();
}

void PlayerListDialog::Shortcut()
{
    const int index = editor->selected();
    if (index < 0 || !context.shortcuts)
        return;
    const QString player = editor->names().at(index);
    const auto name = Prompts.askShortcutName(player);
    if (!name)
        return;
    try {
        context.shortcuts->create(*name, player);
    } catch (const FileError &error) {
        if (Prompts.inform)
            Prompts.inform(QString::fromLatin1(ProgramTitle), QString::fromLocal8Bit(error.what()));
    }
}

void PlayerListDialog::done(int result)
{
    // However the dialog closes, the edited list is what the program keeps.
    if (!copiedBack) {
        copiedBack = true;
        editor->applyTo(*context.players, context.today);
        Q_EMIT PlayersChanged();
    }
    QDialog::done(result);
}
