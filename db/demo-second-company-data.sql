-- Turns a copy of the demo company into one where wTalvor is not enabled.
update aplicatie_mob set activ = false where lower(aplicatie_mob) = 'wtalvor';
