// The filter flags of a run and the masks they make.
#include "review/PreviewFilters.h"

bool& cPreviewFilterFlags::Flag(ePreviewFilter filter) const {
    switch (filter) {
    case ePreviewFilter::DoubleModified:
        return Checks.DoubleFilter;
    case ePreviewFilter::SizeDiffers:
        return Checks.SizesFilter;
    case ePreviewFilter::PropertiesDiffer:
        return Preview.PropertiesFilter;
    case ePreviewFilter::Forward:
        return Preview.ForwardFilter;
    case ePreviewFilter::Skip:
        return Preview.SkipFilter;
    case ePreviewFilter::Delete:
        return Preview.DeleteFilter;
    case ePreviewFilter::Backward:
        break;
    }
    return Preview.BackwardFilter;
}

cPreviewMasks cPreviewFilterFlags::Masks() const {
    const auto bit = [this](ePreviewFilter filter, ActionFlags flag) { return Flag(filter) ? flag : ActionFlags{0}; };
    cPreviewMasks masks;
    masks.Findings = static_cast<ActionFlags>(bit(ePreviewFilter::DoubleModified, kFlagDoubleModified) |
                                              bit(ePreviewFilter::SizeDiffers, kFlagSizeDiffers) |
                                              bit(ePreviewFilter::PropertiesDiffer, kFlagPropertiesDiffer));
    masks.Actions = static_cast<ActionFlags>(
        bit(ePreviewFilter::Forward, kActionForward) | bit(ePreviewFilter::Skip, kActionSkip) |
        bit(ePreviewFilter::Delete, kActionDelete) | bit(ePreviewFilter::Backward, kActionBackward));
    return masks;
}
