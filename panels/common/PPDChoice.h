#pragma once
// Choice look-ups on a PPD option by exact keyword. libcups' own look-up
// ignores letter case, which would let a summary row or a commit take a
// keyword that no control shows.

#include <cups/ppd.h>

#include <QString>

// The index of the choice with this keyword, or -1.
int PPDChoiceIndex(const ppd_option_t* option, const QString& keyword);

// The keyword of choice index, or a null string when the option has none.
QString PPDChoiceKeyword(const ppd_option_t* option, int index);

// The option's own default choice keyword, or a null string.
QString PPDDefaultChoice(const ppd_option_t* option);
