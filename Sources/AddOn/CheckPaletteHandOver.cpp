#include "AddOn/EventBatch.hpp"

// The check palette does not exist yet: the batch's lists stay with the batch until it does.
void HandOverToCheckPalette(const EventBatch& /*batch*/) {}

void ShowCreateCommandFindings(const GuidSet& /*rooms*/, const GuidSet& /*stamps*/) {}

void ShowCheckPalette() {}
