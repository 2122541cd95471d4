// Makes the reply codec of a command language.
#pragma once

#include "Class/CommandLanguage.h"
#include "Class/PrinterCommand.h"

#include <memory>

class PrinterCommandCreater {
public:
    // None for a value that names no language.
    std::unique_ptr<PrinterCommand> CreateCommand(_CommandLanguage language);
};
