#include "app/custom_help.h"

#include "app/custom_rules_form.h"
#include "games/catalogue.h"
#include "store/custom_games.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char *const methodTexts[] = {"In same suit", "In same color", "In alternate color", "Regardless of suit",
                                   "Any suit but the same"};

// Rows of the three groups: "Deal / Redeal" 0..1, "Tableaus" 2..5, "Foundations" 6..7.
const char *const groupTitles[] = {"Deal / Redeal", "Tableaus", "Foundations"};
constexpr int groupOfRow[] = {0, 0, 1, 1, 1, 1, 2, 2};

} // namespace

QString RedealsText(int code)
{
    if (code >= 1 && code <= 8)
        return QString::number(code);
    if (code == -1)
        return QStringLiteral("None");
    return code == -2 ? QStringLiteral("Unlimited") : QString();
}

QString StockDealText(int code)
{
    if (code == 1)
        return QStringLiteral("Deal 1 card to the waste");
    return code == 3 ? QStringLiteral("Deal 3 cards to the waste") : QString();
}

QString BuildingDirectionText(int code)
{
    if ((code >= 0 && code <= 4) || (code >= 128 && code <= 132))
        return QStringLiteral("Up");
    if (code >= 32 && code <= 36)
        return QStringLiteral("Down");
    return code >= 64 && code <= 68 ? QStringLiteral("Up and Down") : QString();
}

QString BuildingMethodText(int code)
{
    const int method = code >= 0 ? code % 8 : -1;
    return method >= 0 && method <= 4 ? QString::fromLatin1(methodTexts[method]) : QString();
}

QString GroupMoveText(int code)
{
    if (code >= 0 && code <= 4)
        return QString::fromLatin1(methodTexts[code]);
    if (code == 8)
        return QStringLiteral("Single card only");
    return code == 9 ? QStringLiteral("Regardless of suit or rank") : QString();
}

QString EmptyTableauText(int code)
{
    switch (code) {
    case 0:
        return QStringLiteral("None");
    case 1:
        return QStringLiteral("Any card or legal sequence of cards");
    case 2:
        return QStringLiteral("Card 1 rank below the base card");
    default:
        return {};
    }
}

std::vector<CustomHelpRow> CustomHelpRows(const CustomGameRecord &variant)
{
    const GameRulesRecord base = DefaultRulesRecord(variant.BaseGameId);
    const RuleChoicesEnabled defined = EnabledChoices(base);
    const bool foundationDirection = defined.foundation && (base.FoundationRule & ~15) != 128;
    const auto row = [](const char *label, bool isDefined, QString (*text)(int), int mine, int original) {
        CustomHelpRow result{QString::fromLatin1(label), {}, {}, false};
        if (!isDefined) {
            result.Variant = result.Original = QString::fromLatin1(CustomHelpText::Undefined);
            return result;
        }
        result.Variant = text(mine);
        result.Original = text(original);
        result.Bold = result.Variant != result.Original;
        return result;
    };
    return {
        row("Number of redeals", defined.redeals, RedealsText, variant.Redeals, base.Redeals),
        row("Deal cards from the stock", defined.stockDeal, StockDealText, variant.StockDeal, base.StockDeal),
        row("Building direction", defined.tableau, BuildingDirectionText, variant.TableauRule, base.TableauRule),
        row("Method of building", defined.tableau, BuildingMethodText, variant.TableauRule, base.TableauRule),
        row("Move group of cards", defined.groupMove, GroupMoveText, variant.GroupMove, base.GroupMethod),
        row("Fill empty tableau pile", defined.emptyTableau, EmptyTableauText, variant.EmptyTableau, base.EmptyTableau),
        row("Building direction", foundationDirection, BuildingDirectionText, variant.FoundationRule,
            base.FoundationRule),
        row("Method of building", defined.foundation, BuildingMethodText, variant.FoundationRule, base.FoundationRule),
    };
}

TCustomHelp::TCustomHelp(const CustomGameRecord &variant, std::function<void()> originalRules, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CustomHelp"));
    setWindowTitle(QString::fromLatin1(CustomHelpText::Caption).arg(variant.Name));
    auto *layout = new QVBoxLayout(this);
    auto *based = new QHBoxLayout;
    based->addWidget(new QLabel(QStringLiteral("The game is based on:")));
    auto *baseName = new QLabel(GameName(variant.BaseGameId));
    QFont strong = baseName->font();
    strong.setBold(true);
    baseName->setFont(strong);
    based->addWidget(baseName);
    based->addStretch();
    layout->addLayout(based);

    const std::vector<CustomHelpRow> rows = CustomHelpRows(variant);
    QGridLayout *grid = nullptr;
    int group = -1;
    int line = 0;
    for (std::size_t index = 0; index < rows.size(); ++index) {
        if (groupOfRow[index] != group) {
            group = groupOfRow[index];
            auto *box = new QGroupBox(QString::fromLatin1(groupTitles[group]));
            grid = new QGridLayout(box);
            // The three groups line up their columns.
            grid->setColumnMinimumWidth(0, 170);
            grid->setColumnMinimumWidth(1, 230);
            grid->addWidget(new QLabel(QStringLiteral("Original rules")), 0, 2);
            layout->addWidget(box);
            line = 1;
        }
        const CustomHelpRow &row = rows[index];
        auto *mine = new QLabel(row.Variant);
        QFont font = mine->font();
        font.setBold(row.Bold);
        mine->setFont(font);
        grid->addWidget(new QLabel(row.Label), line, 0);
        grid->addWidget(mine, line, 1);
        grid->addWidget(new QLabel(row.Original), line, 2);
        variantLabels.push_back(mine);
        ++line;
    }

    auto *buttons = new QDialogButtonBox;
    QPushButton *ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    QPushButton *original = buttons->addButton(QStringLiteral("Original rules"), QDialogButtonBox::HelpRole);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(original, &QPushButton::clicked, this, [originalRules] {
        if (originalRules)
            originalRules();
    });
    layout->addWidget(buttons);
}
