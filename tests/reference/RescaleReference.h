// The rescale of one picture into another as its steps define it, with the reference zoom: the
// source's colour planes out, each plane zoomed with the default filter, then the destination
// and the source re-created from planes, in that order. Every faster rescale is checked against
// it, pixels and picture trace records alike; it is the definition, not a route to optimise.
#pragma once

class CTga;

namespace reference {

void Rescale(CTga& source, CTga& destination);

} // namespace reference
