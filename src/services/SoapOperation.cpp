#include "services/SoapOperation.h"

namespace Soap {

ParameterRecord MakeRecord(const OperationDescriptor& operation) {
    ParameterRecord record(operation.recordSize);
    for (const ParameterDescriptor* p = operation.parameters; p->name; ++p) {
        if (p->position >= record.size()) continue;
        if (p->type == XsdType::Int) {
            record[p->position] = std::int32_t{0};
        } else if (p->type == XsdType::Boolean) {
            record[p->position] = SoapBoolean{};
        }
    }
    return record;
}

}  // namespace Soap
