#include "ReplyDelivery.h"

Delivery PlanDelivery(std::string reply, const PrinterDescription& printer) {
    if (reply.empty())
        return {};
    switch (printer.tcpBehaviour) {
    case TcpBehaviour::Silent:
        return {};
    case TcpBehaviour::CloseMidReply:
        reply.resize(reply.size() / 2);
        return {std::move(reply), true};
    case TcpBehaviour::StatusFirst:
        return {printer.statusText + reply, false};
    default:
        return {std::move(reply), false};
    }
}
