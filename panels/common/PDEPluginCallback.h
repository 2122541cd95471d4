#pragma once
// The print dialog's side of the panel contract: what a panel may ask of the
// host that loaded it. The host owns the callback object and everything it
// hands out, and keeps them alive for as long as its panels live.

#include <cups/ppd.h>

#include <QString>

#include <optional>

// Where the job goes; the user-authentication panel checks credentials only
// for jobs that reach a printer.
enum class PMDestinationType {
    kPMDestinationPrinter = 1,
    kPMDestinationFile = 2,
    kPMDestinationFax = 3,
    kPMDestinationPreview = 4,
    kPMDestinationProcessPDF = 5,
};

class PDEPrintSession {
public:
    virtual ~PDEPrintSession() = default;
    // Nothing when the host cannot tell where the job goes.
    virtual std::optional<PMDestinationType> destinationType() const = 0;
    // The session's PPD, for a panel on a host without constraint handling;
    // null when the session has none. Owned by the host.
    virtual ppd_file_t* ppdRef() = 0;
};

// The job's print settings: a string store that the host turns into job
// options when it submits the job.
class PDEPrintSettings {
public:
    virtual ~PDEPrintSettings() = default;
    // false when the host could not store the value.
    virtual bool setValue(const QString& key, const QString& value) = 0;
    // A null string when the key holds no value.
    virtual QString value(const QString& key) const = 0;
};

class PDEPluginCallback {
public:
    virtual ~PDEPluginCallback() = default;

    // Whether the host offers constraint handling, i.e. answers
    // willChangePPDOptionKeyValue(). A panel asks once, when it is made.
    virtual bool respondsToWillChangePPDOptionKeyValue() const = 0;

    // The queue's parsed PPD with the job's current choices marked, or null.
    // Owned by the host; it stays valid for the panel's life.
    virtual ppd_file_t* ppdFile() = 0;

    // Offers a choice the user committed. true: the host accepts it and
    // records it for the job; false: the host refuses it (for example
    // because it conflicts with another choice).
    virtual bool willChangePPDOptionKeyValue(const QString& option, const QString& choice) = 0;

    virtual PDEPrintSession* printSession() = 0;
    virtual PDEPrintSettings* printSettings() = 0;
};
