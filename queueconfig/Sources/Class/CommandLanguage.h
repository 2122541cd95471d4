// The command language of a query: it picks the transport and the end-of-reply
// rule of a port, and the codec that reads the reply.
#pragma once

enum _CommandLanguage : int {
    CommandLanguagePJL = 1,
    CommandLanguagePS = 2,
    CommandLanguageMIB = 3,
};
