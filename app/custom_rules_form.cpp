#include "app/custom_rules_form.h"

#include "app/custom_variants.h"
#include "app/tarnwick_application.h"
#include "store/binary_stream.h"
#include "store/game_groups.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QStringList directions = {QStringLiteral("Up"), QStringLiteral("Down"), QStringLiteral("Up and Down")};
const QStringList methods = {QStringLiteral("In same suit"), QStringLiteral("In same color"),
                             QStringLiteral("In alternate color"), QStringLiteral("Regardless of suit"),
                             QStringLiteral("Any suit but the same")};

int redealIndex(qint32 redeals)
{
    if (redeals >= 1 && redeals <= 8)
        return redeals;
    return redeals == -2 ? 9 : 0;
}

int methodOf(qint32 code)
{
    return code >= 0 ? std::min(code % 32, 4) : 0;
}

int directionOf(qint32 code)
{
    return code >= 0 && code < 96 ? code / 32 : 0;
}

int groupIndex(qint32 group)
{
    if (group == 8)
        return 0;
    if (group == 9)
        return 1;
    return group >= 0 && group <= 4 ? group + 2 : 0;
}

QComboBox *choiceBox(const QStringList &items, bool on, int index)
{
    auto *box = new QComboBox;
    box->addItems(items);
    box->setEnabled(on);
    box->setCurrentIndex(on ? index : -1);
    return box;
}

} // namespace

RuleChoicesEnabled EnabledChoices(const GameRulesRecord &base)
{
    const auto low = [](qint32 field) { return (field & 0xFF) != 0; };
    RuleChoicesEnabled enabled;
    enabled.redeals = base.RedealsEditable();
    enabled.stockDeal = low(base.StockDealEditable);
    enabled.tableau = low(base.TableauEditable);
    enabled.emptyTableau = low(base.EmptyEditable);
    enabled.groupMove = low(base.GroupEditable);
    enabled.foundation = low(base.FoundationEditable);
    enabled.foundationDirection = enabled.foundation && !(base.FoundationRule >= 128 && base.FoundationRule <= 143);
    return enabled;
}

RuleChoices ChoicesOf(const CustomGameRecord &working, const RuleChoicesEnabled &enabled)
{
    RuleChoices choices;
    if (enabled.redeals)
        choices.redeals = redealIndex(working.Redeals);
    if (enabled.stockDeal)
        choices.stockDeal = working.StockDeal == 3 ? 1 : 0;
    if (enabled.tableau) {
        choices.tableauDirection = directionOf(working.TableauRule);
        choices.tableauMethod = methodOf(working.TableauRule);
    }
    if (enabled.groupMove)
        choices.groupMove = groupIndex(working.GroupMove);
    if (enabled.emptyTableau)
        choices.emptyTableau = std::clamp(working.EmptyTableau, 0, 2);
    if (enabled.foundationDirection)
        choices.foundationDirection = directionOf(working.FoundationRule);
    if (enabled.foundation)
        choices.foundationMethod = methodOf(working.FoundationRule);
    return choices;
}

void ApplyChoices(const RuleChoices &choices, const RuleChoicesEnabled &enabled, CustomGameRecord &working)
{
    const auto pick = [](int index, int last) { return std::clamp(index, 0, last); };
    if (enabled.redeals) {
        const int index = pick(choices.redeals, 9);
        working.Redeals = index == 0 ? -1 : index == 9 ? -2 : index;
    }
    if (enabled.stockDeal)
        working.StockDeal = choices.stockDeal == 1 ? 3 : 1;
    if (enabled.tableau)
        working.TableauRule = pick(choices.tableauDirection, 2) * 32 + pick(choices.tableauMethod, 4);
    if (enabled.foundation) {
        const int direction = enabled.foundationDirection ? pick(choices.foundationDirection, 2) * 32 : 128;
        working.FoundationRule = direction + pick(choices.foundationMethod, 4);
    }
    if (enabled.groupMove) {
        const int index = pick(choices.groupMove, 6);
        working.GroupMove = index == 0 ? 8 : index == 1 ? 9 : index - 2;
    }
    if (enabled.emptyTableau)
        working.EmptyTableau = pick(choices.emptyTableau, 2);
}

CustomGameRecord WorkingRecordFor(int currentGameId, const CustomVariants &variants)
{
    if (const CustomGameRecord *variant = variants.Record(currentGameId))
        return *variant;
    CustomGameRecord working;
    const int baseId = IsBuiltInGameId(currentGameId) ? currentGameId : 1;
    const GameRulesRecord base = DefaultRulesRecord(baseId);
    working.BaseGameId = baseId;
    working.Name = GameName(baseId);
    working.Redeals = base.Redeals;
    working.StockDeal = base.StockDeal;
    working.TableauRule = base.TableauRule;
    working.EmptyTableau = base.EmptyTableau;
    working.GroupMove = base.GroupMethod;
    working.FoundationRule = base.FoundationRule;
    return working;
}

TCustomRulesForm::TCustomRulesForm(int currentGameId, CustomVariants &variants, const GameGroups &groups,
                                   const QStringList &players, double today, const GameWindowRecord &baseWindow,
                                   QWidget *parent)
    : QDialog(parent), variants(variants), groups(groups), players(players), today(today), baseWindow(baseWindow),
      working(WorkingRecordFor(currentGameId, variants))
{
    setObjectName(QStringLiteral("CustomRulesForm"));
    setWindowTitle(QString::fromLatin1(CustomRulesText::Caption));
    ShowError = [this](const QString &text) {
        QMessageBox::critical(this, QString::fromLatin1(ProgramTitle), text);
    };
    enabled = EnabledChoices(DefaultRulesRecord(working.BaseGameId));
    const RuleChoices shown = ChoicesOf(working, enabled);

    name = new QLineEdit(GameName(currentGameId, &variants));
    name->setMaxLength(CustomGameRecord::NameLength);
    QStringList redealItems = {QStringLiteral("None")};
    for (int count = 1; count <= 8; ++count)
        redealItems << QString::number(count);
    redealItems << QStringLiteral("Unlimited");
    redeals = choiceBox(redealItems, enabled.redeals, shown.redeals);
    stockDeal = choiceBox({QStringLiteral("Deal 1 card to the waste"), QStringLiteral("Deal 3 cards to the waste")},
                          enabled.stockDeal, shown.stockDeal);
    tableauDirection = choiceBox(directions, enabled.tableau, shown.tableauDirection);
    tableauMethod = choiceBox(methods, enabled.tableau, shown.tableauMethod);
    groupMove = choiceBox(QStringList{QStringLiteral("Single card only"),
                                      QStringLiteral("Any group of cards regardless of suit or rank")}
                              + methods,
                          enabled.groupMove, shown.groupMove);
    emptyTableau = choiceBox({QStringLiteral("None"), QStringLiteral("Any card or legal sequence of cards"),
                              QStringLiteral("King or card 1 rank below the base card")},
                             enabled.emptyTableau, shown.emptyTableau);
    foundationDirection = choiceBox(directions, enabled.foundationDirection, shown.foundationDirection);
    foundationMethod = choiceBox(methods, enabled.foundation, shown.foundationMethod);

    auto *nameForm = new QFormLayout;
    nameForm->addRow(QStringLiteral("&Name:"), name);
    auto *deal = new QGroupBox(QStringLiteral("Deal / Redeal"));
    auto *dealForm = new QFormLayout(deal);
    dealForm->addRow(QStringLiteral("Number of redeals"), redeals);
    dealForm->addRow(QStringLiteral("Deal cards from the stock"), stockDeal);
    auto *tableaus = new QGroupBox(QStringLiteral("Tableaus"));
    auto *tableauForm = new QFormLayout(tableaus);
    tableauForm->addRow(QStringLiteral("Building direction"), tableauDirection);
    tableauForm->addRow(QStringLiteral("Method of building"), tableauMethod);
    tableauForm->addRow(QStringLiteral("Move group of cards"), groupMove);
    tableauForm->addRow(QStringLiteral("Empty tableau pile"), emptyTableau);
    auto *foundations = new QGroupBox(QStringLiteral("Foundations"));
    auto *foundationForm = new QFormLayout(foundations);
    foundationForm->addRow(QStringLiteral("Building direction"), foundationDirection);
    foundationForm->addRow(QStringLiteral("Method of building"), foundationMethod);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    okButton = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &TCustomRulesForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TCustomRulesForm::reject);
    // OK needs a name.
    const auto nameChanged = [this] { okButton->setEnabled(!name->text().isEmpty()); };
    connect(name, &QLineEdit::textChanged, this, nameChanged);
    nameChanged();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(nameForm);
    layout->addWidget(deal);
    layout->addWidget(tableaus);
    layout->addWidget(foundations);
    layout->addWidget(buttons);
}

RuleChoices TCustomRulesForm::shownChoices() const
{
    return {redeals->currentIndex(),    stockDeal->currentIndex(),           tableauDirection->currentIndex(),
            tableauMethod->currentIndex(), groupMove->currentIndex(),        emptyTableau->currentIndex(),
            foundationDirection->currentIndex(), foundationMethod->currentIndex()};
}

void TCustomRulesForm::accept()
{
    const QString text = name->text();
    if (text.isEmpty())
        return;
    if (variants.NameTaken(text) || variants.NameTaken(fitToField(text, CustomGameRecord::NameLength))) {
        ShowError(QString::fromLatin1(CustomRulesText::NameExists).arg(text));
        name->setFocus();
        return;
    }
    if (variants.Count() >= TCustomGamesList::Capacity) {
        ShowError(QString::fromLatin1(TCustomGamesList::ListFull));
        return;
    }
    CustomGameRecord record = working;
    record.Name = text;
    record.Window = baseWindow;
    // The variant starts in its base game's groups, but is neither a favourite nor
    // recently played yet.
    QString letters = groups.Membership(record.BaseGameId);
    for (const int group : {FavoritesGroup, RecentlyPlayedGroup}) {
        const qsizetype at = letters.indexOf(groupLetter(group));
        if (at >= 0)
            letters.remove(at, 1);
    }
    record.Groups = letters;
    ApplyChoices(shownChoices(), enabled, record);
    variants.List.add(record);
    variants.List.addStatisticsForVariant(variants.List.at(variants.Count() - 1)->Name, players, today);
    created = CustomGameId(variants.Count() - 1);
    QDialog::accept();
}
