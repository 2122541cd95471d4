#include "PPDChoice.h"

#include "PPDString.h"

int PPDChoiceIndex(const ppd_option_t* option, const QString& keyword) {
    if (option == nullptr || keyword.isNull()) {
        return -1;
    }
    for (int i = 0; i < option->num_choices; ++i) {
        if (QStringFromPPD(option->choices[i].choice) == keyword) {
            return i;
        }
    }
    return -1;
}

QString PPDChoiceKeyword(const ppd_option_t* option, int index) {
    if (option == nullptr || index < 0 || index >= option->num_choices) {
        return {};
    }
    return QStringFromPPD(option->choices[index].choice);
}

QString PPDDefaultChoice(const ppd_option_t* option) {
    return option == nullptr ? QString() : QStringFromPPD(option->defchoice);
}
