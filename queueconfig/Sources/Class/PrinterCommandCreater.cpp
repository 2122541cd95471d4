#include "Class/PrinterCommandCreater.h"

#include "Class/MIBCommand.h"
#include "Class/PJLCommand.h"
#include "Class/PSCommand.h"

std::unique_ptr<PrinterCommand> PrinterCommandCreater::CreateCommand(_CommandLanguage language) {
    switch (language) {
    case CommandLanguagePJL:
        return std::make_unique<PJLCommand>();
    case CommandLanguagePS:
        return std::make_unique<PSCommand>();
    case CommandLanguageMIB:
        return std::make_unique<MIBCommand>();
    }
    return nullptr;
}
