#include "cfontsel.h"

#include "charset/cp936.h"

CFontSel::CFontSel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("characterList"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumWidth(200);
}

void CFontSel::OnInitialUpdate()
{
}

void CFontSel::AddTypedCharacter(const std::string &character)
{
    if (character.empty() || ContainsChar(ListText, character))
        return;
    ListText += character;
    ++CharCount;
}
