// SPDX-License-Identifier: MIT
#include "CupsPrintQueue.h"
#include "PrintModule.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT vitalune::PrintQueue* vitalune_new_print_queue() {
    return new vitalune::CupsPrintQueue;
}
