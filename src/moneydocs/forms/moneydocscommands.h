// The commands of receipts, payments, their summaries and purchase orders.
#pragma once

class CommandRegistry;

void registerMoneyDocsCommands(CommandRegistry& registry);
