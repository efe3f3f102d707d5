#include "base/LeadBytes.h"

const LeadBytes& SystemLeadBytes()
{
    static const LeadBytes none;
    return none;
}
