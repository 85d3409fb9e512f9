// placeholder until the layer has code of its own
